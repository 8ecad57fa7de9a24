#include "app/document_places.h"

#include <algorithm>

#include "host/dump/dump.h"
#include "host/text/story.h"

namespace app {

long paragraphNumber(const host::Story& story, long pos) {
  const std::size_t block = story.blockAt(pos);
  const auto& blocks = story.blocks();
  return static_cast<long>(std::count_if(blocks.begin(), blocks.begin() + static_cast<long>(block) + 1,
                                         [](const host::Block& b) { return !b.rowEnd; }));
}

bool isDoubleQuote(const host::Text& text) {
  if (text.size() != 1) return false;
  const char16_t c = text[0];
  return c == u'"' || c == u'\u201C' || c == u'\u201D' || c == u'\u201E' || c == u'\u00AB' || c == u'\u00BB';
}

std::string storyName(int storyType) { return host::storyTypeName(storyType); }

std::string snippetAround(host::Document& doc, host::Story& story, long pos, long width) {
  const std::size_t block = story.blockAt(pos);
  const long start = story.blockStart(block);
  const long end = start + static_cast<long>(story.map(block).length()) - 1;  // without its mark
  const long from = std::max(start, pos - width), to = std::min(end, pos + 1 + width);
  // The text as the window shows it (no hidden field codes), on one line.
  std::string text = doc.makeRange(story, from, to).Text();
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c >= 0 && c < 0x20; }, ' ');
  return (from > start ? "..." : "") + text + (to < end ? "..." : "");
}

}  // namespace app
