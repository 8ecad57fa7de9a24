#pragma once
// Writes an INDEX field's result as paragraphs of XML: one paragraph per index line, in a
// continuous section of its own when the index asks for columns, as the word processor
// writes it.

#include <vector>

#include <pugixml.hpp>

namespace host {

class DocumentParts;
class Story;
struct IndexLine;

/// Replaces the result of the field beginning at `begin` with the lines; false when the
/// field's marks sit where paragraphs cannot be written (the caller then writes plain text).
bool writeIndexResult(DocumentParts& doc, Story& story, pugi::xml_node begin, const std::vector<IndexLine>& lines,
                      int columns);

}  // namespace host
