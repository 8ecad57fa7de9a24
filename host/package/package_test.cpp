#include "host/package/package.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/testing/corpus.h"
#include "host/testing/same_parts.h"

namespace host {
namespace {

namespace fs = std::filesystem;
using host::testing::corpusDocuments;
using host::testing::expectSameParts;

const std::string kMainType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const std::string kStrictRel = "http://purl.oclc.org/ooxml/officeDocument/relationships/";
const std::string kDeclaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";

struct Entry {
  std::string name;
  std::string bytes;
};

std::uint32_t crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// The value as a little-endian field of the given width.
std::string le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(i < 4 ? (value >> (8 * i)) & 0xFF : 0);
  return out;
}

std::uint32_t get(const std::string& in, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
  return value;
}

// A zip of stored entries, written by hand so that tests can build packages (also broken
// ones) without the library under test; flags go into every entry's header.
std::string storedZip(const std::vector<Entry>& entries, std::uint16_t flags = 0) {
  std::string out, directory;
  for (const Entry& e : entries) {
    const auto size = static_cast<std::uint32_t>(e.bytes.size());
    // version, flags, method, time, date, crc, sizes, name length, extra length
    const std::string common = le(20, 2) + le(flags, 2) + le(0, 4) + le(0x21, 2) + le(crc32(e.bytes), 4) + le(size, 4) +
                               le(size, 4) + le(static_cast<std::uint32_t>(e.name.size()), 2) + le(0, 2);
    directory += le(0x02014b50, 4) + le(20, 2) + common + le(0, 10) + le(static_cast<std::uint32_t>(out.size()), 4) +
                 e.name;
    out += le(0x04034b50, 4) + common + e.name + e.bytes;
  }
  const auto count = static_cast<std::uint32_t>(entries.size());
  return out + directory + le(0x06054b50, 4) + le(0, 4) + le(count, 2) + le(count, 2) +
         le(static_cast<std::uint32_t>(directory.size()), 4) + le(static_cast<std::uint32_t>(out.size()), 4) + le(0, 2);
}

// Name and compression method of each entry, in the order of the zip's central directory.
std::vector<std::pair<std::string, int>> centralDirectory(const std::string& zip) {
  std::vector<std::pair<std::string, int>> entries;
  const std::size_t end = zip.rfind(std::string("PK\x05\x06", 4));
  for (std::size_t at = get(zip, end + 16, 4); zip.compare(at, 4, "PK\x01\x02", 4) == 0;) {
    const std::size_t nameLength = get(zip, at + 28, 2);
    entries.emplace_back(zip.substr(at + 46, nameLength), static_cast<int>(get(zip, at + 10, 2)));
    at += 46 + nameLength + get(zip, at + 30, 2) + get(zip, at + 32, 2);
  }
  return entries;
}

std::string contentTypes(const std::string& mainPart = "/word/document.xml", const std::string& mainType = kMainType) {
  return kDeclaration +
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
         R"(<Default Extension="xml" ContentType="application/xml"/>)"
         R"(<Override PartName=")" +
         mainPart + R"(" ContentType=")" + mainType + R"("/></Types>)";
}

std::string relationships(const std::string& body) {
  return kDeclaration + R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
         body + "</Relationships>";
}

std::string relationship(const std::string& id, const std::string& type, const std::string& target,
                         const std::string& extra = "") {
  return R"(<Relationship Id=")" + id + R"(" Type=")" + type + R"(" Target=")" + target + "\"" + extra + "/>";
}

const std::string kDocument =
    kDeclaration + "\r\n" +
    R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:body><w:p><w:r><w:t xml:space="preserve"> </w:t></w:r></w:p></w:body></w:document>)";

// A small package: main part, its relationships with every kind of target, and the parts
// they name.
std::vector<Entry> smallPackage() {
  return {
      {"[Content_Types].xml", contentTypes()},
      {"_rels/.rels", relationships(relationship("rId1", kRel + "officeDocument", "word/document.xml"))},
      {"word/document.xml", kDocument},
      {"word/_rels/document.xml.rels",
       relationships(relationship("rId1", kRel + "styles", "styles.xml") +
                     relationship("rId2", kRel + "footnotes", "../word/./footnotes.xml") +
                     relationship("rId3", kRel + "header", "/word/header1.xml") +
                     relationship("rId4", kRel + "hyperlink", "footnotes.xml", R"( TargetMode="External")") +
                     relationship("rId5", kRel + "image", "media/image%201.png") +
                     relationship("rId6", kStrictRel + "settings", "settings.xml") +
                     relationship("rId7", kRel + "numbering", "numbering.xml"))},
      {"word/styles.xml", kDeclaration + "\n<w:styles  xmlns:w=\"urn:w\">\n  <!-- kept -->\n</w:styles>"},
      {"word/footnotes.xml", "<footnotes/>"},
      {"word/header1.xml", "<hdr/>"},
      {"word/settings.xml", "<settings/>"},
      {"word/media/", ""},
      {"word/media/image 1.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
  };
}

std::unique_ptr<Package> openBytes(const std::string& bytes, const PackageLimits& limits = {}) {
  return Package::fromBytes(bytes, "test.docx", limits);
}

// The message of the host::Error the call throws ("" when it throws nothing).
template <class Call>
std::string errorOf(Call call, long number = kErrFileFormat) {
  try {
    call();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), number) << e.description();
    return e.description();
  }
  ADD_FAILURE() << "no host::Error thrown";
  return "";
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// A scratch folder removed with everything in it, read-only or not.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (fs::temp_directory_path() / "vlx-package-XXXXXX").string();
    path_ = ::mkdtemp(name.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

// First difference between two XML trees (names, attributes, text), "" when none.
std::string differenceOf(pugi::xml_node a, pugi::xml_node b, const std::string& where = "") {
  const std::string here = where + "/" + a.name();
  if (a.type() != b.type() || std::string_view(a.name()) != b.name() || std::string_view(a.value()) != b.value())
    return here + ": <" + a.name() + "> '" + a.value() + "' vs <" + b.name() + "> '" + b.value() + "'";
  pugi::xml_attribute x = a.first_attribute(), y = b.first_attribute();
  for (; x && y; x = x.next_attribute(), y = y.next_attribute())
    if (std::string_view(x.name()) != y.name() || std::string_view(x.value()) != y.value())
      return here + ": attribute " + x.name() + "='" + x.value() + "' vs " + y.name() + "='" + y.value() + "'";
  if (x || y) return here + ": attribute count differs";
  pugi::xml_node c = a.first_child(), d = b.first_child();
  for (; c && d; c = c.next_sibling(), d = d.next_sibling())
    if (std::string found = differenceOf(c, d, here); !found.empty()) return found;
  return c || d ? here + ": child count differs" : "";
}

bool isXmlPart(const std::string& name) { return name.ends_with(".xml") || name.ends_with(".rels"); }

TEST(PackageRead, FindsMainPartAndKeepsALoneSpace) {
  auto package = openBytes(storedZip(smallPackage()));
  EXPECT_EQ(package->mainPartName(), "word/document.xml");
  const pugi::xml_node text = package->xml("word/document.xml").select_node("//w:t").node();
  EXPECT_EQ(std::string(text.text().get()), " ");
  EXPECT_TRUE(package->has("WORD/Document.xml")) << "part names ignore ASCII case";
  EXPECT_FALSE(package->has("word/document2.xml"));
  EXPECT_EQ(package->partNames().front(), "[Content_Types].xml");
  EXPECT_EQ(package->partNames().size(), smallPackage().size());
}

TEST(PackageRead, ResolvesRelationshipTargetsOfEveryForm) {
  auto package = openBytes(storedZip(smallPackage()));
  const std::string main = "word/document.xml";
  EXPECT_EQ(package->relatedPart(main, kRel + "styles"), "word/styles.xml");
  EXPECT_EQ(package->relatedPart(main, kRel + "footnotes"), "word/footnotes.xml");
  EXPECT_EQ(package->relatedPart(main, kRel + "header"), "word/header1.xml");
  EXPECT_EQ(package->relatedPart(main, kRel + "image"), "word/media/image 1.png");
  EXPECT_EQ(package->relatedPart(main, kRel + "settings"), "word/settings.xml") << "strict type";
  EXPECT_EQ(package->relatedPart(main, kRel + "hyperlink"), "") << "external target";
  EXPECT_EQ(package->relatedPart(main, kRel + "numbering"), "") << "target missing";
  EXPECT_EQ(package->relatedPart(main, kRel + "comments"), "");
  EXPECT_EQ(package->relatedPart("word/styles.xml", kRel + "styles"), "") << "no relationships part";
  EXPECT_EQ(package->partForRelId(main, "rId3"), "word/header1.xml");
  EXPECT_EQ(package->partForRelId(main, "rId4"), "");
  EXPECT_EQ(package->partForRelId(main, "rId99"), "");
  EXPECT_EQ(relsPartOf(""), "_rels/.rels");
  EXPECT_EQ(relsPartOf("word/document.xml"), "word/_rels/document.xml.rels");
  EXPECT_EQ(partFolder("word/document.xml"), "word/");
}

TEST(PackageRead, FindsMainPartThroughStrictAbsoluteOrConventionalNames) {
  auto parts = smallPackage();
  parts[0].bytes = contentTypes("/word/main.xml");
  parts[1].bytes = relationships(relationship("rId1", kStrictRel + "officeDocument", "/word/main.xml"));
  parts.push_back({"word/main.xml", kDocument});
  EXPECT_EQ(openBytes(storedZip(parts))->mainPartName(), "word/main.xml");

  parts = smallPackage();
  parts.erase(parts.begin() + 1);
  EXPECT_EQ(openBytes(storedZip(parts))->mainPartName(), "word/document.xml")
      << "no package relationships: the usual name";
}

TEST(PackageRead, MalformedXmlNamesPartAndLine) {
  auto parts = smallPackage();
  parts[2].bytes = kDeclaration + "\n<w:document>\n<w:body>\n</w:document>";
  auto package = openBytes(storedZip(parts));
  for (int attempt = 0; attempt < 2; ++attempt) {  // a failed parse leaves no half document behind
    const std::string message = errorOf([&] { package->xml("word/document.xml"); });
    EXPECT_NE(message.find("\"word/document.xml\""), std::string::npos) << message;
    EXPECT_NE(message.find("test.docx"), std::string::npos) << message;
    EXPECT_NE(message.find("line 4"), std::string::npos) << message;
  }
  errorOf([&] { package->xml("word/none.xml"); }, kErrNoSuchMember);
  errorOf([&] { package->bytes("word/none.xml"); }, kErrNoSuchMember);
}

TEST(PackageRefuses, InputThatIsNoWordPackage) {
  auto noMain = smallPackage();
  noMain[0].bytes = contentTypes("/word/document.xml",
                                 "application/vnd.openxmlformats-officedocument.themeManager+xml");
  auto twice = smallPackage();
  twice.push_back({"Word/Styles.xml", "<x/>"});
  std::string ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  ole.resize(4096, '\0');
  const std::string encryptedOle = ole + std::string("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
  const std::map<std::string, std::pair<std::string, std::string>> cases = {
      {"empty", {"", "empty"}},
      {"text", {"just some text, not a zip at all", "not a .docx"}},
      {"truncated", {storedZip(smallPackage()).substr(0, 900), "not a .docx"}},
      {"older format", {ole, ".doc"}},
      {"encrypted OLE", {encryptedOle, "protected (encrypted) documents are not supported"}},
      {"encrypted entries", {storedZip(smallPackage(), 1), "protected (encrypted) documents are not supported"}},
      {"theme package", {storedZip(noMain), "no main document"}},
      {"no parts", {storedZip({}), "no main document"}},
      {"same name twice", {storedZip(twice), "twice"}},
  };
  for (const auto& [label, input] : cases) {
    const std::string& bytes = input.first;
    const std::string message = errorOf([&] { openBytes(bytes); });
    EXPECT_NE(message.find("\"test.docx\""), std::string::npos) << label << ": " << message;
    EXPECT_NE(message.find(input.second), std::string::npos) << label << ": " << message;
  }
}

TEST(PackageRefuses, PackagesThatDoNotSayWhatTheirPartsAre) {
  auto noTypes = smallPackage();
  noTypes.erase(noTypes.begin());
  auto typesNoXml = smallPackage();
  typesNoXml[0].bytes = "Default Extension=xml";
  auto truncatedRels = smallPackage();
  truncatedRels[1].bytes.resize(truncatedRels[1].bytes.size() / 2);
  const std::map<std::string, std::pair<std::vector<Entry>, std::string>> cases = {
      {"no content types", {noTypes, "the package has no [Content_Types].xml"}},
      {"content types not XML", {typesNoXml, "the part \"[Content_Types].xml\" is damaged: malformed XML at line 1"}},
      {"truncated package relationships",
       {truncatedRels, "the part \"_rels/.rels\" is damaged: malformed XML at line 1"}},
  };
  for (const auto& [label, input] : cases) {
    const std::string message = errorOf([&] { openBytes(storedZip(input.first)); });
    EXPECT_EQ(message.find("Cannot open \"test.docx\": "), 0u) << label << ": " << message;
    EXPECT_NE(message.find(input.second), std::string::npos) << label << ": " << message;
  }
}

TEST(PackageRefuses, MalformedXmlOfAPartSaysWhatIsWrong) {
  auto parts = smallPackage();
  parts[2].bytes =
      kDeclaration +
      "\n<w:document xmlns:w=\"urn:w\"><w:body><w:p><w:r><w:t>a&#0;b</w:t></w:r></w:p></w:body></w:document>";
  auto package = openBytes(storedZip(parts));
  const std::string message = errorOf([&] { package->xml("word/document.xml"); });
  EXPECT_EQ(message,
            "Cannot open \"test.docx\": the part \"word/document.xml\" is damaged: malformed XML at line 2 (the "
            "character reference \"&#0;\", a character XML does not allow).");
}

TEST(PackageWrite, APartThatWouldNotOpenAgainIsNotWritten) {
  auto package = openBytes(storedZip(smallPackage()));
  package->xml("word/document.xml")
      .select_node("//w:t")
      .node()
      .text()
      .set(
          "a\x01"
          "b");
  package->markDirty("word/document.xml");
  const std::string message = errorOf([&] { package->toBytes(); }, kErrFileAccess);
  EXPECT_EQ(message,
            "Cannot write \"test.docx\": the part \"word/document.xml\" would hold the character reference "
            "\"&#01;\", a character XML does not allow.");
}

TEST(PackageRefuses, ASizeThatOnlyAZip64RecordMayGiveSaysWhatIsWrong) {
  std::string zip = storedZip(smallPackage());
  const std::size_t name = zip.find("word/document.xml", zip.find(std::string("PK\x01\x02", 4)));
  zip.replace(name - 46 + 24, 4, "\xFF\xFF\xFF\xFF", 4);  // its uncompressed size in the central directory
  const std::string message = errorOf([&] { openBytes(zip); });
  EXPECT_EQ(message,
            "Cannot open \"test.docx\": the zip directory is damaged: it gives the part "
            "\"word/document.xml\" a size or position of 0xFFFFFFFF, which only a ZIP64 record may, and "
            "that record is missing.");
}

TEST(PackageRefuses, MissingFile) {
  ScratchFolder folder;
  const std::string message = errorOf([&] { Package::open((folder.path() / "gone.docx").string()); }, kErrFileAccess);
  EXPECT_NE(message.find("gone.docx\": the file does not exist"), std::string::npos) << message;
  errorOf([&] { Package::open(folder.path().string()); }, kErrFileAccess);
}

TEST(PackageRefuses, APipeOrAFileLargerThanTheLimitWithoutReadingIt) {
  ScratchFolder folder;
  const std::string pipe = (folder.path() / "pipe.docx").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(errorOf([&] { Package::open(pipe); }, kErrFileAccess),
            "Cannot open \"" + pipe + "\": it is not a regular file.");
  const std::string big = (folder.path() / "big.docx").string();
  std::ofstream(big, std::ios::binary) << std::string(2048, 'x');
  PackageLimits small;
  small.maxTotalSize = 1024;
  EXPECT_EQ(errorOf([&] { Package::open(big, small); }),
            "Cannot open \"" + big + "\": the file is larger than 1024 bytes.");
}

// Bytes that do not compress.
std::string noise(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 1;
  for (char& c : bytes) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
  return bytes;
}

// Zip bombs are built from a small package with a big part of zeros, against small limits.
std::string packageWith(const std::vector<Entry>& extra) {
  auto package = openBytes(storedZip(smallPackage()));
  for (const Entry& e : extra) package->setBytes(e.name, e.bytes);
  return package->toBytes();
}

TEST(PackageRefuses, ZipBombs) {
  const std::string zeros(2u << 20, '\0');
  PackageLimits small;
  small.maxPartSize = 64 << 10;
  std::string message = errorOf([&] { openBytes(packageWith({{"word/big.bin", zeros}}), small); });
  EXPECT_NE(message.find("\"word/big.bin\" is larger than 65536 bytes"), std::string::npos) << message;
  EXPECT_NE(message.find("zip bomb"), std::string::npos) << message;

  small = {};
  small.maxTotalSize = 100 << 10;
  const std::string part(40 << 10, 'x');
  message = errorOf([&] { openBytes(packageWith({{"a.bin", part}, {"b.bin", part}, {"c.bin", part}}), small); });
  EXPECT_NE(message.find("in total"), std::string::npos) << message;

  small = {};
  small.maxRatio = 100;
  message = errorOf([&] { openBytes(packageWith({{"word/big.bin", zeros}}), small); });
  EXPECT_NE(message.find("compressed more than 100 times"), std::string::npos) << message;

  EXPECT_NO_THROW(openBytes(packageWith({{"word/noise.bin", noise(zeros.size())}}), small)) << "incompressible data";

  small = {};
  small.maxParts = 5;
  message = errorOf([&] { openBytes(storedZip(smallPackage()), small); });
  EXPECT_NE(message.find("more than 5 parts"), std::string::npos) << message;
}

TEST(PackageRefuses, PartLongerThanItsDirectoryEntrySays) {
  // Incompressible, so that no ratio limit steps in before the length check.
  std::string zip = packageWith({{"word/big.bin", noise(2u << 20)}});
  // Shrink the declared size in the local and the central header alike.
  for (std::size_t at = zip.find("word/big.bin"); at != std::string::npos; at = zip.find("word/big.bin", at + 1)) {
    if (at >= 30 && zip.compare(at - 30, 4, "PK\x03\x04", 4) == 0) zip.replace(at - 30 + 22, 4, "\x10\0\0\0", 4);
    if (at >= 46 && zip.compare(at - 46, 4, "PK\x01\x02", 4) == 0) zip.replace(at - 46 + 24, 4, "\x10\0\0\0", 4);
  }
  const std::string message = errorOf([&] { openBytes(zip); });
  EXPECT_NE(message.find("\"word/big.bin\" is longer than the zip directory says"), std::string::npos) << message;
}

TEST(PackageWrite, KeepsOrderDirectoriesCompressionAndUntouchedBytes) {
  auto parts = smallPackage();
  auto package = openBytes(storedZip(parts));
  package->xml("word/styles.xml");  // parsed but unchanged: written as read
  package->setBytes("word/new.xml", "<new/>");
  const std::string zip = package->toBytes();
  const auto directory = centralDirectory(zip);
  ASSERT_EQ(directory.size(), parts.size() + 1);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    EXPECT_EQ(directory[i].first, parts[i].name);
    EXPECT_EQ(directory[i].second, 0) << parts[i].name << " was stored";
  }
  EXPECT_EQ(directory.back(), (std::pair<std::string, int>("word/new.xml", 8))) << "new parts deflated";

  auto reread = openBytes(zip);
  for (const Entry& e : parts) EXPECT_EQ(reread->bytes(e.name), e.bytes) << e.name;
  EXPECT_EQ(reread->bytes("word/new.xml"), "<new/>");
  EXPECT_EQ(reread->partNames(), package->partNames());
}

// The DOS time and date of each entry, from its local header and from its directory entry.
std::vector<std::array<std::uint32_t, 4>> entryTimes(const std::string& zip) {
  std::vector<std::array<std::uint32_t, 4>> times;
  const std::size_t end = zip.rfind(std::string("PK\x05\x06", 4));
  for (std::size_t at = get(zip, end + 16, 4); zip.compare(at, 4, "PK\x01\x02", 4) == 0;) {
    const std::size_t local = get(zip, at + 42, 4);
    times.push_back({get(zip, local + 10, 2), get(zip, local + 12, 2), get(zip, at + 12, 2), get(zip, at + 14, 2)});
    at += 46 + get(zip, at + 28, 2) + get(zip, at + 30, 2) + get(zip, at + 32, 2);
  }
  return times;
}

TEST(PackageWrite, ACreatedPackageHoldsWhatWasSetWithEveryEntryAtTheFixedTime) {
  auto package = Package::create("new.docx");
  EXPECT_TRUE(package->partNames().empty());
  EXPECT_EQ(package->mainPartName(), "");
  package->setEntryTime({.year = 2024, .month = 2, .day = 29, .hour = 13, .minute = 45, .second = 59});
  package->setBytes("word/b.xml", "<b/>");
  package->setBytes("a.txt", "");
  package->setBytes("word/media/", "");
  const std::string zip = package->toBytes();
  EXPECT_EQ(centralDirectory(zip),
            (std::vector<std::pair<std::string, int>>{{"word/b.xml", 8}, {"a.txt", 8}, {"word/media/", 0}}));
  const std::uint32_t time = (13 << 11) | (45 << 5) | 29, date = (44 << 9) | (2 << 5) | 29;
  const auto times = entryTimes(zip);
  ASSERT_EQ(times.size(), 3u);
  for (const auto& t : times) EXPECT_EQ(t, (std::array<std::uint32_t, 4>{time, date, time, date}));
  EXPECT_EQ(package->toBytes(), zip);
}

TEST(PackageWrite, EntryTimesTheZipDirectoryCannotHoldAreRefused) {
  auto package = Package::create("new.docx");
  const std::vector<EntryTime> refused = {{.year = 1979}, {.year = 2108}, {.month = 0},  {.month = 13},
                                          {.day = 0},     {.day = 32},    {.hour = -1},  {.hour = 24},
                                          {.minute = 60}, {.second = -1}, {.second = 60}};
  for (const EntryTime& t : refused) errorOf([&] { package->setEntryTime(t); }, kErrBadArgument);
  EXPECT_NO_THROW(
      package->setEntryTime({.year = 2107, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 59}));
  package->setBytes("x", "x");
  const auto times = entryTimes(package->toBytes());
  ASSERT_EQ(times.size(), 1u);
  EXPECT_EQ(times[0][1], (127u << 9) | (12u << 5) | 31u);  // the last accepted time stays
}

TEST(PackageWrite, DirtyPartsKeepDeclarationEncodingAndLayout) {
  auto parts = smallPackage();
  const std::u16string wide = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>\u00e9t\u00e9</a>";
  std::string utf16("\xFF\xFE", 2);
  for (char16_t c : wide) utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  parts.push_back({"word/utf16.xml", utf16});
  parts.push_back({"word/bom.xml", "\xEF\xBB\xBF<b>\xC3\xA9</b>"});
  auto package = openBytes(storedZip(parts));

  package->xml("word/document.xml").select_node("//w:t").node().text().set("changed");
  for (const char* name : {"word/document.xml", "word/utf16.xml", "word/bom.xml"}) {
    package->xml(name);
    package->markDirty(name);
  }
  auto reread = openBytes(package->toBytes());
  const std::string& document = reread->bytes("word/document.xml");
  EXPECT_TRUE(document.starts_with(kDeclaration + "<w:document")) << document;
  EXPECT_NE(document.find("<w:t xml:space=\"preserve\">changed</w:t></w:r></w:p></w:body>"), std::string::npos)
      << document;
  EXPECT_EQ(reread->bytes("word/utf16.xml"), utf16);
  EXPECT_EQ(reread->bytes("word/bom.xml"), "\xEF\xBB\xBF<b>\xC3\xA9</b>");

  // Replacing a parsed part drops its stale tree.
  package->setBytes("word/document.xml", kDocument);
  EXPECT_EQ(std::string(package->xml("word/document.xml").select_node("//w:t").node().text().get()), " ");
}

TEST(PackageSave, ReplacesAnExistingFileKeepingItsPermissions) {
  ScratchFolder folder;
  const fs::path target = folder.path() / "contract.docx";
  std::ofstream(target) << "old content";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const std::string zip = storedZip(smallPackage());
  openBytes(zip)->save(target.string());

  EXPECT_EQ(folder.names(), std::vector<std::string>{"contract.docx"}) << "no temporary file left";
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  auto saved = Package::open(target.string());
  EXPECT_EQ(saved->bytes("word/document.xml"), kDocument);

  // Through a symbolic link the linked file is replaced and the link kept.
  const fs::path link = folder.path() / "link.docx";
  fs::create_symlink(target, link);
  saved->setBytes("word/extra.xml", "<x/>");
  saved->save(link.string());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(Package::open(target.string())->has("word/extra.xml"));
}

TEST(PackageSave, FailuresLeaveEverythingAsItWas) {
  ScratchFolder folder;
  auto package = openBytes(storedZip(smallPackage()));
  std::string message = errorOf([&] { package->save((folder.path() / "no/such/x.docx").string()); }, kErrFileAccess);
  EXPECT_NE(message.find("does not exist"), std::string::npos) << message;

  fs::create_directory(folder.path() / "in-the-way.docx");
  std::ofstream(folder.path() / "in-the-way.docx" / "keep") << "kept";
  message = errorOf([&] { package->save((folder.path() / "in-the-way.docx").string()); }, kErrFileAccess);
  EXPECT_NE(message.find("folder"), std::string::npos) << message;
  EXPECT_EQ(folder.names(), std::vector<std::string>{"in-the-way.docx"}) << "temporary file removed";
  EXPECT_EQ(readFile(folder.path() / "in-the-way.docx" / "keep"), "kept");

  if (::geteuid() == 0) GTEST_SKIP() << "running as root: read-only files and folders do not stop root";
  const fs::path target = folder.path() / "old.docx";
  std::ofstream(target) << "old";
  fs::permissions(target, fs::perms::owner_read);
  message = errorOf([&] { package->save(target.string()); }, kErrFileAccess);
  EXPECT_NE(message.find("read-only"), std::string::npos) << message;

  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  message = errorOf([&] { package->save(target.string()); }, kErrFileAccess);
  EXPECT_NE(message.find("read-only"), std::string::npos) << message;
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"in-the-way.docx", "old.docx"}));
}

TEST(PackageCorpus, EveryDocumentOpensAndSavesWithoutLoss) {
  const auto files = corpusDocuments("docx");
  if (files.empty()) GTEST_SKIP() << "corpus folder " << VLX_CORPUS_DIR "/docx is absent";
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    auto original = Package::open(file.string());
    expectSameParts(*original, *openBytes(original->toBytes()));

    auto rewritten = Package::open(file.string());
    for (const std::string& name : rewritten->partNames()) {
      if (!isXmlPart(name)) continue;
      rewritten->xml(name);
      rewritten->markDirty(name);
    }
    auto reread = openBytes(rewritten->toBytes());
    EXPECT_EQ(reread->mainPartName(), original->mainPartName());
    for (const std::string& name : original->partNames()) {
      if (!isXmlPart(name)) continue;
      EXPECT_EQ(differenceOf(reread->xml(name), original->xml(name)), "") << name;
    }
  }
}

TEST(PackageCorpus, HostileFilesAreRefusedWithTheReason) {
  const auto files = corpusDocuments("hostile");
  if (files.empty()) GTEST_SKIP() << "corpus folder " << VLX_CORPUS_DIR "/hostile is absent";
  const std::array<std::pair<const char*, const char*>, 4> reasons = {{
      {"password", "protected (encrypted) documents are not supported"},
      {"truncated", "damaged"},
      {"clusterfuzz", "damaged"},
      {"stress025", "no main document"},
  }};
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    ScratchFolder folder;
    const fs::path copy = folder.path() / file.filename();
    fs::copy_file(file, copy);
    const std::string message = errorOf([&] { Package::open(copy.string()); });
    EXPECT_NE(message.find(copy.string()), std::string::npos) << message;
    for (const auto& [fragment, reason] : reasons) {
      if (file.filename().string().find(fragment) == std::string::npos) continue;
      EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{file.filename().string()}) << "nothing written";
    EXPECT_EQ(readFile(copy), readFile(file));
  }
}

TEST(PackageCorpus, MainPartsUnderOtherNames) {
  const fs::path docx = fs::path(VLX_CORPUS_DIR) / "docx";
  if (!fs::exists(docx)) GTEST_SKIP() << "corpus folder " << docx << " is absent";
  EXPECT_EQ(Package::open((docx / "docx2python__renamed_document_xml.docx").string())->mainPartName(),
            "word/blah_blah.xml");
  EXPECT_EQ(Package::open((docx / "pandoc__alternate_document_path.docx").string())->mainPartName(),
            "word/document2.xml");
  EXPECT_EQ(Package::open((docx / "mammoth__strict-format.docx").string())->mainPartName(), "word/document.xml");
}

}  // namespace
}  // namespace host
