#include "host/find_view.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "host/story.h"

namespace host {

StoryView::FieldStack StoryView::scan(const Story& story, std::size_t block, FieldStack stack, Text& text,
                                      std::vector<Place>& places) const {
  const CharMap& m = story.map(block);
  auto hiddenByFields = [&stack] {
    for (const OpenField& f : stack)
      if (f.inCode != f.shown) return true;  // a code not shown, or a result hidden by its code
    return false;
  };
  auto shown = [&](pugi::xml_node begin) {
    return settings_.showCodes || settings_.shownFields.count(begin.internal_object()) > 0;
  };
  for (const Segment& s : m.segments) {
    switch (s.kind) {
      case Seg::FieldBegin:
      case Seg::SimpleBegin:
        stack.push_back({shown(s.node), true});
        continue;
      case Seg::FieldSeparator:
      case Seg::SimpleSeparator:
        if (!stack.empty()) stack.back().inCode = false;
        continue;
      case Seg::FieldEnd:
      case Seg::SimpleEnd:
        if (!stack.empty()) stack.pop_back();
        continue;
      default:
        break;
    }
    if (s.hidden && !settings_.showHidden) continue;
    if (hiddenByFields()) continue;
    text.append(m.text, s.start, s.length);
    for (std::uint32_t i = 0; i < s.length; ++i) places.push_back({static_cast<std::uint32_t>(block), s.start + i});
  }
  return stack;
}

void StoryView::rebuild(const Story& story) {
  text_.clear();
  places_.clear();
  foldedValid_ = false;
  std::size_t n = story.blocks().size();
  blockFirst_.assign(n + 1, 0);
  entry_.assign(n + 1, {});
  signatures_.assign(n, {});
  FieldStack stack;
  for (std::size_t b = 0; b < n; ++b) {
    blockFirst_[b] = text_.size();
    entry_[b] = stack;
    stack = scan(story, b, std::move(stack), text_, places_);
    signatures_[b] = TextSignature::of(std::u16string_view(text_).substr(blockFirst_[b]));
  }
  blockFirst_[n] = text_.size();
  entry_[n] = stack;
  dirty_.clear();
  valid_ = true;
}

void StoryView::refresh(const Story& story, const ViewSettings& settings) {
  if (!valid_ || !(settings == settings_) || blockFirst_.size() != story.blocks().size() + 1) {
    settings_ = settings;
    rebuild(story);
    return;
  }
  std::sort(dirty_.begin(), dirty_.end());
  dirty_.erase(std::unique(dirty_.begin(), dirty_.end()), dirty_.end());
  Text& text = scratchText_;
  std::vector<Place>& places = scratchPlaces_;
  for (std::size_t b : dirty_) {
    text.clear();
    places.clear();
    FieldStack after = scan(story, b, entry_[b], text, places);
    if (!(after == entry_[b + 1])) {
      rebuild(story);  // the paragraph now opens or closes a field that goes on after it
      return;
    }
    std::size_t first = blockFirst_[b], oldCount = blockFirst_[b + 1] - first;
    bool same = text.size() == oldCount && std::equal(text.begin(), text.end(), text_.begin() + static_cast<long>(first));
    if (same) {
      std::copy(places.begin(), places.end(), places_.begin() + static_cast<long>(first));
      continue;
    }
    text_.replace(first, oldCount, text);
    signatures_[b] = TextSignature::of(text);
    places_.erase(places_.begin() + static_cast<long>(first), places_.begin() + static_cast<long>(first + oldCount));
    places_.insert(places_.begin() + static_cast<long>(first), places.begin(), places.end());
    long delta = static_cast<long>(text.size()) - static_cast<long>(oldCount);
    for (std::size_t k = b + 1; k < blockFirst_.size(); ++k) blockFirst_[k] = static_cast<std::size_t>(static_cast<long>(blockFirst_[k]) + delta);
    foldedValid_ = false;
  }
  dirty_.clear();
}

const Text& StoryView::folded() {
  if (!foldedValid_) {
    folded_ = text_;
    for (char16_t& c : folded_)
      if (!U16_IS_SURROGATE(c)) c = static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
    foldedSignatures_.resize(signatures_.size());
    for (std::size_t b = 0; b < signatures_.size(); ++b)
      foldedSignatures_[b] = TextSignature::of(std::u16string_view(folded_).substr(blockFirst_[b], blockFirst_[b + 1] - blockFirst_[b]));
    foldedValid_ = true;
  }
  return folded_;
}

SignedText StoryView::signedFolded() {
  folded();
  return {folded_, blockFirst_, foldedSignatures_};
}

long StoryView::position(const Story& story, std::size_t i) const {
  if (i >= places_.size()) return story.length();
  return story.blockStart(places_[i].block) + places_[i].offset;
}

std::size_t StoryView::indexAt(const Story& story, long pos) const {
  if (pos >= story.length()) return places_.size();
  std::size_t b = story.blockAt(pos);
  std::uint32_t offset = static_cast<std::uint32_t>(pos - story.blockStart(b));
  auto first = places_.begin() + static_cast<long>(blockFirst_[b]);
  auto last = places_.begin() + static_cast<long>(blockFirst_[b + 1]);
  auto it = std::lower_bound(first, last, offset, [](const Place& p, std::uint32_t o) { return p.offset < o; });
  return static_cast<std::size_t>(it - places_.begin());
}

}  // namespace host
