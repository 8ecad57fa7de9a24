#pragma once
// The rules of XML that pugixml does not enforce, checked around its one parse of a part: on
// the bytes before (UTF-8, allowed characters, defined entities, no document type, a known
// encoding) and in one walk of the tree after (declared prefixes, attributes given once, one
// root, a bounded depth). A word processor refuses a part that breaks any of them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace host {

/// The deepest nesting of elements a part may have. Deeper parts are refused, so that every
/// walk of the tree may recurse without exhausting the stack.
inline constexpr std::size_t kMaxXmlDepth = 1000;

/// A broken rule: what it is, and the byte offset where it is when known.
struct XmlFault {
  std::string what;
  std::optional<std::size_t> offset;
};

/// The first broken rule in a part's bytes (UTF-8 or UTF-16, with or without a byte-order
/// mark), or nullopt. Linear in the size, no allocation on the usual path.
std::optional<XmlFault> checkXmlBytes(std::string_view bytes);

/// What in a text XML has no place for, as a phrase ("the character U+FFFE", "bytes that are
/// not UTF-8"), or nullopt when a part may hold it all.
std::optional<std::string> unwritableInXml(std::string_view utf8);

/// The first broken rule in a parsed part's tree, or nullopt. One walk, without recursion.
std::optional<XmlFault> checkXmlTree(const pugi::xml_document& doc);

}  // namespace host
