#include "app/stray_quote.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "host/model/find.h"
#include "host/text/story.h"

namespace app {
namespace {

// The positions of a character in a story, as a plain search finds them.
std::vector<long> positionsOf(host::Document& doc, int storyType, const std::string& character) {
  std::vector<long> out;
  host::Range range = doc.StoryRanges().Item(storyType);
  host::Find find = range.Find();
  find.ClearFormatting();
  find.SetMatchWildcards(false);
  find.SetWrap(host::wdFindStop);
  find.SetText(character);
  while (find.Execute()) {
    if (!out.empty() && range.Start() <= out.back()) break;  // a search that no longer moves on
    out.push_back(range.Start());
  }
  return out;
}

}  // namespace

std::optional<long> strayQuote(host::Document& doc, int storyType, const std::string& openQuote,
                               const std::string& closeQuote) {
  std::vector<std::pair<long, bool>> quotes;  // position, and whether it opens
  for (long pos : positionsOf(doc, storyType, openQuote)) quotes.emplace_back(pos, true);
  if (closeQuote != openQuote)
    for (long pos : positionsOf(doc, storyType, closeQuote)) quotes.emplace_back(pos, false);
  std::sort(quotes.begin(), quotes.end());
  host::Story& story = doc.StoryRanges().Item(storyType).GetStory();

  std::optional<long> open;  // the quote waiting for its partner in the current paragraph
  std::size_t paragraph = host::Story::npos;
  for (const auto& [pos, opens] : quotes) {
    const std::size_t here = story.blockAt(pos);
    if (here != paragraph) {
      if (open) return open;  // the paragraph ended before its quote was closed
      paragraph = here;
    }
    if (closeQuote == openQuote) {
      open = open ? std::nullopt : std::optional<long>(pos);
    } else if (opens) {
      if (open) return open;  // a second open quote: the first one was never closed
      open = pos;
    } else {
      if (!open) return pos;  // nothing to close
      open.reset();
    }
  }
  return open;
}

}  // namespace app
