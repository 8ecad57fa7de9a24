#include "host/package/package.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "host/package/relationships.h"
#include "host/package/xml_check.h"
#include "host/platform/error.h"
#include "host/platform/files.h"

namespace host {
namespace {

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_declaration;
constexpr std::string_view kOleMagic{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};
constexpr std::uint64_t kRatioFloor = 1ull << 20;  // small parts may compress as well as they like

Error refused(const std::string& file, const std::string& why) {
  return Error(kErrFileFormat, "Cannot open \"" + file + "\": " + why);
}

std::string sizeText(std::uint64_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

std::string lowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string_view localName(std::string_view name) {
  const auto colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view lastSegment(std::string_view uri) {
  const auto slash = uri.rfind('/');
  return slash == std::string_view::npos ? uri : uri.substr(slash + 1);
}

// Resolves "." and ".." and drops empty segments; ".." never climbs above the package root.
std::string normalisePath(const std::string& path) {
  std::vector<std::string> segments;
  std::string segment;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '/' && path[i] != '\\') {
      segment += path[i];
      continue;
    }
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    segment.clear();
  }
  std::string joined;
  for (const std::string& s : segments) joined += (joined.empty() ? "" : "/") + s;
  return joined;
}

std::string percentDecode(const std::string& text) {
  const auto hex = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10; };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool startsWithBom(const std::string& bytes) {
  return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// An OLE compound file holding this stream (its name in UTF-16) is a password-protected
// .docx; any other one is an older binary format (.doc and kin).
constexpr std::string_view kEncryptedPackageStream{"E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32};

struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
};

struct ZipDiscard {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The name of the first central directory entry whose size or offset is 0xFFFFFFFF, the mark
// of a ZIP64 record; "" when there is none or the directory cannot be walked.
std::string entryMarkedZip64(std::string_view zip) {
  const auto get = [&](std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(zip[at + i]);
    return value;
  };
  const std::size_t end = zip.rfind(std::string_view("PK\x05\x06", 4));
  if (end == std::string_view::npos || end + 22 > zip.size()) return "";
  for (std::size_t at = get(end + 16, 4); at + 46 <= end && zip.substr(at, 4) == std::string_view("PK\x01\x02", 4);) {
    const std::size_t nameLength = get(at + 28, 2);
    if (get(at + 20, 4) == 0xFFFFFFFFu || get(at + 24, 4) == 0xFFFFFFFFu || get(at + 42, 4) == 0xFFFFFFFFu)
      return std::string(zip.substr(at + 46, std::min(nameLength, zip.size() - at - 46)));
    at += 46 + nameLength + get(at + 30, 2) + get(at + 32, 2);
  }
  return "";
}

}  // namespace

std::string partFolder(const std::string& partName) {
  const auto slash = partName.rfind('/');
  return slash == std::string::npos ? "" : partName.substr(0, slash + 1);
}

std::string relsPartOf(const std::string& partName) {
  const std::string folder = partFolder(partName);
  return folder + "_rels/" + partName.substr(folder.size()) + ".rels";
}

std::unique_ptr<Package> Package::open(const std::string& path, const PackageLimits& limits) {
  const auto cannot = [&](const std::string& why) {
    return Error(kErrFileAccess, "Cannot open \"" + path + "\": " + why);
  };
  ReadFailure failure{};
  const std::optional<std::string> bytes = ReadWholeFile(path, &failure, limits.maxTotalSize);
  if (!bytes && failure.kind == ReadFailure::kTooLarge)
    throw refused(path, "the file is larger than " + sizeText(limits.maxTotalSize) + ".");
  if (!bytes) throw cannot(failure.reason());
  return fromBytes(*bytes, path, limits);
}

std::unique_ptr<Package> Package::fromBytes(const std::string& bytes, const std::string& displayName,
                                            const PackageLimits& limits) {
  std::unique_ptr<Package> package(new Package);
  package->load(bytes, displayName, limits);
  return package;
}

std::unique_ptr<Package> Package::create(const std::string& displayName) {
  std::unique_ptr<Package> package(new Package);
  package->displayName_ = displayName;
  return package;
}

void Package::setEntryTime(const EntryTime& time) {
  if (time.year < 1980 || time.year > 2107 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 ||
      time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59)
    throw Error(kErrBadArgument, "A zip entry cannot be stamped " + std::to_string(time.year) + "-" +
                                     std::to_string(time.month) + "-" + std::to_string(time.day) + " " +
                                     std::to_string(time.hour) + ":" + std::to_string(time.minute) + ":" +
                                     std::to_string(time.second) + ".");
  const auto date = static_cast<std::uint32_t>(((time.year - 1980) << 9) | (time.month << 5) | time.day);
  const auto clock = static_cast<std::uint32_t>((time.hour << 11) | (time.minute << 5) | (time.second / 2));
  entryTime_ = (date << 16) | clock;
}

void Package::load(const std::string& data, const std::string& displayName, const PackageLimits& limits) {
  displayName_ = displayName;
  const auto refuse = [&](const std::string& why) { return refused(displayName, why); };
  const std::string protectedText =
      "protected (encrypted) documents are not supported. "
      "Remove the password in the word processor and try again.";
  if (data.empty()) throw refuse("the file is empty.");
  if (data.starts_with(kOleMagic)) {
    if (data.find(kEncryptedPackageStream) != std::string::npos) throw refuse(protectedText);
    throw refuse("it is an older Word (.doc) or other non-.docx file. Save it as .docx first.");
  }

  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(data.data(), data.size(), 0, &error);
  zip_t* raw = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (!raw) {
    if (source) zip_source_free(source);
    const bool noZip64Record = zip_error_code_zip(&error) == ZIP_ER_NOENT;
    const std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    // libzip says "No such file" when an entry's size or position marks a ZIP64 record it lacks.
    if (const std::string entry = noZip64Record ? entryMarkedZip64(data) : ""; !entry.empty())
      throw refuse("the zip directory is damaged: it gives the part \"" + entry +
                   "\" a size or position of 0xFFFFFFFF, which only a ZIP64 record may, and that record is missing.");
    throw refuse("the file is damaged or is not a .docx document (" + reason + ").");
  }
  zip_error_fini(&error);
  std::unique_ptr<zip_t, ZipDiscard> zip(raw);

  const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
  if (count < 0 || static_cast<std::uint64_t>(count) > limits.maxParts)
    throw refuse("the package has more than " + std::to_string(limits.maxParts) +
                 " parts; the file may be a zip bomb.");
  std::uint64_t total = 0;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    zip_stat_t st;
    if (zip_stat_index(zip.get(), i, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
      throw refuse("the zip directory is damaged (" + std::string(zip_strerror(zip.get())) + ").");
    Part part;
    part.name = st.name;
    part.isDirectory = part.name.ends_with('/') && st.size == 0;
    if (indexOf(part.name) != std::string::npos)
      throw refuse("the package holds the part \"" + part.name + "\" twice; the file is damaged.");
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) throw refuse(protectedText);
    // Checked against the directory's sizes first, then against what decompression really yields.
    const auto check = [&](std::uint64_t size) {
      if (size > limits.maxPartSize)
        throw refuse("the part \"" + part.name + "\" is larger than " + sizeText(limits.maxPartSize) +
                     " when uncompressed; the file may be a zip bomb.");
      if (total + size > limits.maxTotalSize)
        throw refuse("its parts are larger than " + sizeText(limits.maxTotalSize) +
                     " in total when uncompressed; the file may be a zip bomb.");
      if (size > kRatioFloor && size / std::max<std::uint64_t>(st.comp_size, 1) > limits.maxRatio)
        throw refuse("the part \"" + part.name + "\" is compressed more than " + std::to_string(limits.maxRatio) +
                     " times; the file may be a zip bomb.");
    };
    check(st.size);
    if (!part.isDirectory) {
      std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(zip.get(), i, 0));
      if (!file) throw refuse("the part \"" + part.name + "\" cannot be read (" + zip_strerror(zip.get()) + ").");
      char buffer[1 << 16];
      zip_int64_t n = 0;
      while ((n = zip_fread(file.get(), buffer, sizeof buffer)) > 0) {
        part.bytes.append(buffer, static_cast<std::size_t>(n));
        if (part.bytes.size() > st.size)
          throw refuse("the part \"" + part.name +
                       "\" is longer than the zip directory says; "
                       "the file is damaged or a zip bomb.");
        check(part.bytes.size());
      }
      if (n < 0)
        throw refuse("the part \"" + part.name + "\" cannot be read (" +
                     zip_error_strerror(zip_file_get_error(file.get())) + ").");
    }
    total += part.bytes.size();
    addPart(std::move(part), st.comp_method == ZIP_CM_STORE);
  }
  mainPart_ = findMainPart();
}

void Package::addPart(Part part, bool stored) {
  index_.emplace(lowerAscii(part.name), parts_.size());
  parts_.push_back(std::move(part));
  writeInfo_.push_back(WriteInfo{stored});
}

std::size_t Package::indexOf(const std::string& partName) const {
  const auto it = index_.find(lowerAscii(partName));
  return it == index_.end() ? std::string::npos : it->second;
}

std::size_t Package::require(const std::string& partName) const {
  const std::size_t i = indexOf(partName);
  if (i == std::string::npos)
    throw Error(kErrNoSuchMember, "\"" + displayName_ + "\" has no part \"" + partName + "\".");
  return i;
}

// The main part is the target of the package's officeDocument relationship (or the usual
// name) when the content types say it is a WordprocessingML main part; a theme or workbook
// package renamed to .docx has a main part too, but not a word processing one.
std::string Package::findMainPart() {
  const std::string fromRelationships = relatedPart("", kOfficeDocumentRel);
  for (const std::string& candidate : {fromRelationships, std::string("word/document.xml")}) {
    const std::size_t i = indexOf(candidate);
    if (candidate.empty() || i == std::string::npos) continue;
    const std::string& name = parts_[i].name;
    const std::string type = lowerAscii(contentTypeOf(name));
    if (type.empty() || (type.find("word") != std::string::npos && type.ends_with(".main+xml"))) return name;
  }
  throw refused(displayName_, "it is not a Word document: the package has no main document part.");
}

// The content type of a part from [Content_Types].xml ("" when it names none); host::Error when
// that part is missing or damaged, as word processors refuse such a package.
std::string Package::contentTypeOf(const std::string& partName) {
  if (!has("[Content_Types].xml"))
    throw refused(displayName_,
                  "the package has no [Content_Types].xml, which says what its parts are; the file is damaged.");
  const pugi::xml_node types = xml("[Content_Types].xml").document_element();
  const auto dot = partName.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : lowerAscii(partName.substr(dot + 1));
  std::string byExtension;
  for (pugi::xml_node entry : types.children()) {
    const std::string_view kind = localName(entry.name());
    if (kind == "Override" && lowerAscii(normalisePath(entry.attribute("PartName").value())) == lowerAscii(partName))
      return entry.attribute("ContentType").value();
    if (kind == "Default" && lowerAscii(entry.attribute("Extension").value()) == extension)
      byExtension = entry.attribute("ContentType").value();
  }
  return byExtension;
}

bool Package::has(const std::string& partName) const { return indexOf(partName) != std::string::npos; }

pugi::xml_document& Package::xml(const std::string& partName) {
  const std::size_t i = require(partName);
  Part& part = parts_[i];
  if (!part.doc) {
    const auto damaged = [&](const std::string& why, std::optional<std::size_t> offset) {
      std::string where;
      if (offset) {
        const auto end = part.bytes.begin() + static_cast<std::ptrdiff_t>(std::min(*offset, part.bytes.size()));
        where = " at line " + std::to_string(std::count(part.bytes.begin(), end, '\n') + 1);
      }
      return refused(displayName_,
                     "the part \"" + part.name + "\" is damaged: malformed XML" + where + " (" + why + ").");
    };
    // What the parser lets through is checked around its one parse: the bytes before, the tree after.
    if (const auto fault = checkXmlBytes(part.bytes)) throw damaged(fault->what, fault->offset);
    auto doc = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result result = doc->load_buffer(part.bytes.data(), part.bytes.size(), kParseFlags,
                                                           pugi::encoding_auto);
    if (!result) throw damaged(result.description(), static_cast<std::size_t>(result.offset));
    if (const auto fault = checkXmlTree(*doc)) throw damaged(fault->what, fault->offset);
    writeInfo_[i].encoding = result.encoding;
    writeInfo_[i].bom = startsWithBom(part.bytes);
    part.doc = std::move(doc);
  }
  return *part.doc;
}

void Package::markDirty(const std::string& partName) { parts_[require(partName)].dirty = true; }

const std::string& Package::bytes(const std::string& partName) const { return parts_[require(partName)].bytes; }

void Package::setBytes(const std::string& partName, std::string bytes) {
  const std::size_t i = indexOf(partName);
  if (i == std::string::npos) {
    Part part;
    part.name = partName;
    part.bytes = std::move(bytes);
    part.isDirectory = partName.ends_with('/') && part.bytes.empty();
    addPart(std::move(part), false);
    return;
  }
  Part& part = parts_[i];
  part.bytes = std::move(bytes);
  part.doc.reset();
  part.dirty = false;
}

std::vector<std::string> Package::partNames() const {
  std::vector<std::string> names;
  for (const Part& part : parts_) names.push_back(part.name);
  return names;
}

// A target names a part relative to the source part's folder, or to the root when it
// starts with "/"; external targets are not parts. Returns the part's own name or "".
std::string Package::resolveTarget(const std::string& sourcePart, std::string target) const {
  target = target.substr(0, target.find('#'));
  const std::string path = normalisePath(target.starts_with('/') ? target : partFolder(sourcePart) + target);
  std::size_t i = indexOf(path);
  if (i == std::string::npos) i = indexOf(percentDecode(path));
  return i == std::string::npos ? "" : parts_[i].name;
}

std::string Package::relatedPart(const std::string& sourcePart, const std::string& relType) {
  const std::string rels = relsPartOf(sourcePart);
  if (!has(rels)) return "";
  const std::string_view wanted = lastSegment(relType);
  for (pugi::xml_node rel : xml(rels).document_element().children()) {
    if (localName(rel.name()) != "Relationship" ||
        std::string_view(rel.attribute("TargetMode").value()) == "External" ||
        lastSegment(rel.attribute("Type").value()) != wanted)
      continue;
    std::string part = resolveTarget(sourcePart, rel.attribute("Target").value());
    if (!part.empty()) return part;
  }
  return "";
}

std::string Package::partForRelId(const std::string& sourcePart, const std::string& relId) {
  const std::string rels = relsPartOf(sourcePart);
  if (!has(rels)) return "";
  for (pugi::xml_node rel : xml(rels).document_element().children()) {
    if (localName(rel.name()) == "Relationship" && relId == rel.attribute("Id").value() &&
        std::string_view(rel.attribute("TargetMode").value()) != "External")
      return resolveTarget(sourcePart, rel.attribute("Target").value());
  }
  return "";
}

void Package::serialiseDirtyParts() {
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    Part& part = parts_[i];
    if (!part.dirty || !part.doc) continue;
    // The parsed declaration is a node of its own, so no default one is added.
    const unsigned flags = pugi::format_raw | pugi::format_no_declaration |
                           (writeInfo_[i].bom ? pugi::format_write_bom : 0u);
    StringWriter writer;
    part.doc->save(writer, "", flags, writeInfo_[i].encoding);
    // What the model put into the tree (a control character, runs nested too deep) must not
    // make a part that no longer opens.
    std::optional<XmlFault> fault = checkXmlTree(*part.doc);
    if (!fault) fault = checkXmlBytes(writer.out);
    if (fault)
      throw Error(kErrFileAccess, "Cannot write \"" + displayName_ + "\": the part \"" + part.name + "\" would hold " +
                                      fault->what + ".");
    part.bytes = std::move(writer.out);
  }
}

std::string Package::toBytes() {
  serialiseDirtyParts();
  const auto failure = [&](const std::string& why) {
    return Error(kErrFileAccess, "Cannot write \"" + displayName_ + "\": " + why);
  };
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* zip = out ? zip_open_from_source(out, ZIP_TRUNCATE, &error) : nullptr;
  if (!zip) {
    if (out) zip_source_free(out);
    const std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw failure(reason);
  }
  zip_error_fini(&error);
  zip_source_keep(out);  // the zip closes it, and its bytes are read afterwards
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    const Part& part = parts_[i];
    zip_int64_t entry = -1;
    if (part.isDirectory) {
      entry = zip_dir_add(zip, part.name.c_str(), ZIP_FL_ENC_UTF_8);
    } else if (zip_source_t* data = zip_source_buffer(zip, part.bytes.data(), part.bytes.size(), 0)) {
      entry = zip_file_add(zip, part.name.c_str(), data, ZIP_FL_ENC_UTF_8);
      if (entry < 0) zip_source_free(data);
    }
    const auto index = static_cast<zip_uint64_t>(entry);
    if (entry < 0 ||
        (!part.isDirectory &&
         zip_set_file_compression(zip, index, writeInfo_[i].stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1) != 0) ||
        (entryTime_ && zip_file_set_dostime(zip, index, static_cast<zip_uint16_t>(*entryTime_ & 0xFFFF),
                                            static_cast<zip_uint16_t>(*entryTime_ >> 16), 0) != 0)) {
      const std::string reason = zip_strerror(zip);
      zip_discard(zip);
      zip_source_free(out);
      throw failure("the part \"" + part.name + "\" cannot be written (" + reason + ").");
    }
  }
  if (zip_close(zip) != 0) {
    const std::string reason = zip_strerror(zip);
    zip_discard(zip);
    zip_source_free(out);
    throw failure(reason);
  }
  std::string result;
  zip_stat_t st;
  if (zip_source_stat(out, &st) == 0 && zip_source_open(out) == 0) {
    result.resize(st.size);
    const zip_int64_t n = zip_source_read(out, result.data(), st.size);
    zip_source_close(out);
    result.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
  }
  zip_source_free(out);
  if (result.empty()) throw failure("the zip package could not be assembled.");
  return result;
}

void Package::save(const std::string& path) {
  const std::string data = toBytes();
  if (std::optional<WriteFailure> failure = ReplaceFile(path, data))
    throw Error(kErrFileAccess, "Cannot save \"" + path + "\": " + failure->reason());
}

}  // namespace host
