#pragma once
// The page pass of pagination: one cursor moved down the main text's blocks, through columns
// and pages, section by section, with the endnotes placed after the text they belong to. It
// takes every paragraph's shape as estimated and counts; what to believe of the last layout's
// page breaks is decided before it runs.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "host/layout/block_pages.h"
#include "host/layout/page_estimate.h"
#include "host/wml/section_properties.h"

namespace host {

class Story;

/// What pagination reads of a section's properties.
struct SectionLayout {
  PageGeometry geometry;
  SectionBegin start = SectionBegin::NextPage;
  int restartAt = -1;              // w:pgNumType w:start
  std::string format = "decimal";  // w:pgNumType w:fmt
  bool noEndnote = false;          // w:noEndnote: the section's endnotes go on to the next section
};

/// The main text's sections: a paragraph carrying w:sectPr ends its section; the body's ends
/// the last. sectionOf gets the section of each block.
std::vector<SectionLayout> readSections(const Story& main, std::vector<std::size_t>& sectionOf);

/// What the page pass lays out: the main text's blocks as shaped, and the endnotes.
struct PagePassInput {
  const Story& main;
  const std::vector<SectionLayout>& sections;
  const std::vector<std::size_t>& sectionOf;
  const std::vector<ParagraphShape>& shapes;
  const std::vector<pugi::xml_node>& rowOf;   // the outermost table row of each block, if any
  const std::vector<pugi::xml_node>& cellOf;  // the innermost cell of each block in a row but its end
  const std::vector<bool>& trusted;           // blocks whose last-layout page breaks are believed
  const std::map<int, double>& noteHeight;    // room each footnote takes, by note id
  double separator;                           // height of the notes' separator line
  const TextMeasure& measure;
  const Story* endnotes;
  const std::map<int, std::vector<std::size_t>>& endnoteBlocks;  // by note id
  const std::vector<std::pair<long, int>>& endnoteOrder;         // (reference position, note id)
  bool endnotesPerSection;                                       // else all at the document's end
};

/// Lays the main text and the endnotes out on pages: the page of each block (and where blocks
/// run onto later pages), and the label of each physical page.
void layOutPages(const PagePassInput& in, BlockPages& mainPages, BlockPages& endnotePages,
                 std::vector<std::string>& labels);

}  // namespace host
