#include "host/text/section_ends.h"

#include "host/text/story.h"
#include "host/wml/section_properties.h"

namespace host {

std::vector<SectionEnd> sectionEnds(const Story& main) {
  const Wml& w = main.wml();
  const std::vector<Block>& blocks = main.blocks();
  std::vector<SectionEnd> ends;
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    if (blocks[b].rowEnd) continue;
    if (SectionProperties s = SectionProperties::ofParagraph(w, blocks[b].node)) ends.push_back({b, s.node()});
  }
  ends.push_back({blocks.size(), SectionProperties::ofBody(w, main.roots().front(), false).node()});
  return ends;
}

}  // namespace host
