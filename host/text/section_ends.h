#pragma once
// Where the sections of the main text end: each paragraph that carries a section break ends
// one, and the body's own section properties close the last. Sections, the header and
// footer parts and pagination all find them here.

#include <cstddef>
#include <vector>

#include <pugixml.hpp>

namespace host {

class Story;

/// The end of one section of the main text.
struct SectionEnd {
  std::size_t block;      // the paragraph the section ends with; blocks().size() for the last section
  pugi::xml_node sectPr;  // its properties: the body's for the last (empty when the body has none)
};

/// The sections of the main story in order; the last stands for the body's own section.
/// A row end is no paragraph and ends no section.
std::vector<SectionEnd> sectionEnds(const Story& main);

}  // namespace host
