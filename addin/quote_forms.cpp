#include "addin/quote_forms.h"

#include <optional>
#include <utility>
#include <vector>

#include "host/model/shown_text.h"

namespace addin {
namespace {

bool isDoubleQuote(char16_t c) { return c == u'"' || c == u'\u201C' || c == u'\u201D'; }

// Where the index and its lists stand: text the run writes itself.
std::vector<std::pair<long, long>> generatedText(host::Document& doc) {
  std::vector<std::pair<long, long>> out;
  for (const char* name : {"VellandexIndex", "VellandexIndexNotUsedList", "VellandexIndexNotFoundList"})
    if (doc.Bookmarks().Exists(name))
      out.emplace_back(doc.Bookmarks().Item(name).Start(), doc.Bookmarks().Item(name).End());
  return out;
}

// The whole of the document's story of a type, if it has one.
std::optional<host::Range> wholeStory(host::Document& doc, int storyType) {
  for (const host::Range& story : doc.StoryRanges())
    if (story.StoryType() == storyType) return story;
  return std::nullopt;
}

// The quotes of a story as the reader sees it: each with its story position.
std::vector<std::pair<long, char16_t>> quotesOf(host::Document& doc, int storyType) {
  std::vector<std::pair<long, char16_t>> out;
  const std::optional<host::Range> story = wholeStory(doc, storyType);
  if (!story) return out;
  // The same view whatever the window shows: field codes (where entries spell their arguments
  // with quotes) and hidden text are left out.
  const host::ViewState view = doc.View();
  doc.View() = host::ViewState{};
  const host::ShownText shown(*story);
  doc.View() = view;
  const auto skip = storyType == host::wdMainTextStory ? generatedText(doc) : std::vector<std::pair<long, long>>{};
  const host::Text& text = shown.text();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isDoubleQuote(text[i])) continue;
    const long at = shown.position(i);
    bool generated = false;
    for (const auto& [start, end] : skip) generated = generated || (at >= start && at < end);
    if (!generated) out.emplace_back(at, text[i]);
  }
  return out;
}

}  // namespace

QuoteForms QuoteForms::Record(host::Document& doc) {
  QuoteForms forms;
  for (int type : {host::wdMainTextStory, host::wdFootnotesStory, host::wdEndnotesStory}) {
    host::Text& quotes = forms.quotes_[type];
    for (const auto& [at, c] : quotesOf(doc, type)) quotes.push_back(c);
  }
  return forms;
}

void QuoteForms::Restore(host::Document& doc) const {
  for (const auto& [type, recorded] : quotes_) {
    const std::vector<std::pair<long, char16_t>> now = quotesOf(doc, type);
    if (now.size() != recorded.size()) continue;
    host::Range quote = *wholeStory(doc, type);
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (now[i].second == recorded[i]) continue;
      // One character for one: the positions of the quotes after it stay as they were read.
      quote.SetRange(now[i].first, now[i].first + 1);
      quote.SetText(host::toUtf8(host::Text(1, recorded[i])));
    }
  }
}

}  // namespace addin
