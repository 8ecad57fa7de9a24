#pragma once
// The .docx package: the zip container, its parts and their XML. Parts that are never
// parsed or never changed are written back byte for byte.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

namespace host {

/// Limits that protect against zip bombs and absurd inputs.
struct PackageLimits {
  std::uint64_t maxPartSize = 512ull << 20;    // uncompressed bytes of one part
  std::uint64_t maxTotalSize = 2048ull << 20;  // uncompressed bytes of all parts
  std::uint64_t maxRatio = 1000;               // uncompressed / compressed, for parts over 1 MiB
  std::uint32_t maxParts = 20000;
};

/// A zip entry's time stamp as the zip directory keeps it: a date and time without a zone,
/// seconds rounded down to an even number.
struct EntryTime {
  int year = 1980;  // 1980 to 2107
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

/// One part of the package.
struct Part {
  std::string name;   // zip entry name, e.g. "word/document.xml"
  std::string bytes;  // the entry's uncompressed content as read (or as last serialised)
  bool isDirectory = false;
  // Parsed XML, present once xml() was asked for; saved back only when marked dirty.
  std::unique_ptr<pugi::xml_document> doc;
  bool dirty = false;
};

/// A .docx (OPC) package held in memory.
class Package {
 public:
  /// Reads a package from a file; throws host::Error with a user's message when the file
  /// is missing, not a zip, an encrypted document, a zip bomb, lacks a main document or its
  /// [Content_Types].xml, or when that part or the package relationships are malformed.
  static std::unique_ptr<Package> open(const std::string& path, const PackageLimits& limits = {});
  /// Reads a package from bytes held in memory (same checks as open).
  static std::unique_ptr<Package> fromBytes(const std::string& bytes, const std::string& displayName,
                                            const PackageLimits& limits = {});

  /// A package without parts, to be filled with setBytes; it has no main part.
  static std::unique_ptr<Package> create(const std::string& displayName);

  /// Name of the main document part (found through the package relationships).
  const std::string& mainPartName() const { return mainPart_; }
  /// True when the package has a part of that name.
  bool has(const std::string& partName) const;
  /// The part's parsed XML, parsed on first use; throws host::Error naming the part and
  /// line when the XML is malformed (as xml_check.h has it: nested too deep included), or
  /// when there is no such part.
  pugi::xml_document& xml(const std::string& partName);
  /// Marks a parsed part as changed so that save() serialises it again.
  void markDirty(const std::string& partName);
  /// Raw bytes of a part (as read, or as last saved); throws when absent.
  const std::string& bytes(const std::string& partName) const;
  /// Adds or replaces a part with raw bytes (used for new parts, e.g. a settings part); a
  /// new part goes last and needs its own content type and relationship from the caller.
  void setBytes(const std::string& partName, std::string bytes);
  /// Names of all parts, in the order of the zip directory.
  std::vector<std::string> partNames() const;

  /// Target part name of the relationship of the given type from a source part
  /// ("" for the package itself); "" when there is none or its target is not in the package.
  /// Accepts transitional and strict relationship type URIs alike (pass the transitional one).
  std::string relatedPart(const std::string& sourcePart, const std::string& relType);
  /// Target part name by relationship id from a source part's relationships; "" when the id
  /// is unknown, external or names no part of the package.
  std::string partForRelId(const std::string& sourcePart, const std::string& relId);

  /// Writes the package to a temporary file beside the target and renames it over the
  /// target; the target is untouched when anything fails (host::Error is thrown).
  void save(const std::string& path);
  /// The package as zip bytes (for tests and in-memory use). Like save(), throws host::Error
  /// rather than write a changed part that would not open again.
  std::string toBytes();
  /// Stamps every entry written from now on with this time instead of the clock's, so that
  /// the same parts give the same bytes; host::Error when the zip directory cannot hold it.
  void setEntryTime(const EntryTime& time);

 private:
  // What a part needs for writing back that the public Part does not say.
  struct WriteInfo {
    bool stored = false;                                // entry was stored, not deflated
    pugi::xml_encoding encoding = pugi::encoding_utf8;  // as detected when parsed
    bool bom = false;                                   // the part began with a byte-order mark
  };

  Package() = default;
  void load(const std::string& bytes, const std::string& displayName, const PackageLimits& limits);
  void addPart(Part part, bool stored);
  std::size_t indexOf(const std::string& partName) const;  // npos when absent
  std::size_t require(const std::string& partName) const;  // throws when absent
  std::string resolveTarget(const std::string& sourcePart, std::string target) const;
  std::string contentTypeOf(const std::string& partName);
  std::string findMainPart();
  void serialiseDirtyParts();

  std::vector<Part> parts_;
  std::vector<WriteInfo> writeInfo_;                    // one per part, same order
  std::unordered_map<std::string, std::size_t> index_;  // ASCII-lowercased name -> parts_ index
  std::string displayName_;
  std::string mainPart_;
  std::optional<std::uint32_t> entryTime_;  // DOS date in the high half, DOS time in the low
};

/// Folder of a part name ("word/document.xml" -> "word/").
std::string partFolder(const std::string& partName);
/// The relationships part of a part ("word/document.xml" -> "word/_rels/document.xml.rels").
std::string relsPartOf(const std::string& partName);

}  // namespace host
