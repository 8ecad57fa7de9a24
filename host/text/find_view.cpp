#include "host/text/find_view.h"

#include <algorithm>

#include <unicode/uchar.h>

#include "host/text/charmap.h"
#include "host/text/story.h"

namespace host {

namespace {

// The signatures of a text's paragraphs, paragraph b being [first[b], first[b + 1]).
SignatureSlices paragraphSignatures(const Text& text, const std::vector<std::size_t>& first) {
  std::vector<TextSignature> signatures(first.size() - 1);
  for (std::size_t b = 0; b < signatures.size(); ++b)
    signatures[b] = TextSignature::ofParagraph(std::u16string_view(text).substr(first[b], first[b + 1] - first[b]));
  SignatureSlices slices;
  slices.assign(signatures);
  return slices;
}

}  // namespace

StoryView::FieldStack StoryView::scan(const Story& story, std::size_t block, FieldStack stack, Text& text,
                                      Stretches& stretches) const {
  const std::size_t textStart = text.size();
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
      case Seg::SimpleBegin: stack.push_back({shown(s.node), true}); continue;
      case Seg::FieldSeparator:
      case Seg::SimpleSeparator:
        if (!stack.empty()) stack.back().inCode = false;
        continue;
      case Seg::FieldEnd:
      case Seg::SimpleEnd:
        if (!stack.empty()) stack.pop_back();
        continue;
      default: break;
    }
    if (s.hidden && !settings_.showHidden) continue;
    if (hiddenByFields()) continue;
    const auto first = static_cast<std::uint32_t>(text.size() - textStart);
    text.append(m.text, s.start, s.length);
    if (!stretches.empty() && stretches.back().offset + stretches.back().length == s.start)
      stretches.back().length += s.length;
    else stretches.push_back({s.start, s.length, first});
  }
  return stack;
}

void StoryView::rebuild(const Story& story) {
  text_.clear();
  foldedValid_ = false;
  std::size_t n = story.blocks().size();
  blockFirst_.assign(n + 1, 0);
  entry_.assign(n + 1, {});
  stretches_.assign(n, {});
  FieldStack stack;
  for (std::size_t b = 0; b < n; ++b) {
    blockFirst_[b] = text_.size();
    entry_[b] = stack;
    stack = scan(story, b, std::move(stack), text_, stretches_[b]);
  }
  blockFirst_[n] = text_.size();
  signatures_ = paragraphSignatures(text_, blockFirst_);
  entry_[n] = stack;
  dirty_.clear();
  valid_ = true;
}

void StoryView::runsInserted(std::size_t block, std::uint32_t offset, const CharMap& inserted) {
  const bool unseen = !settings_.showHidden && std::all_of(inserted.segments.begin(), inserted.segments.end(),
                                                           [](const Segment& s) { return s.hidden; });
  // (A paragraph already waiting to be re-read is re-read whatever is done to it here.)
  if (!valid_ || !unseen || block >= stretches_.size()) {
    blockChanged(block);
    return;
  }
  const std::uint32_t n = inserted.length();
  Stretches& in = stretches_[block];
  for (std::size_t i = 0; i < in.size(); ++i) {
    Stretch& s = in[i];
    if (s.offset >= offset) {
      s.offset += n;
    } else if (offset < s.offset + s.length) {
      // The runs went into the middle of a visible stretch: it goes on after them.
      Stretch rest{offset + n, s.offset + s.length - offset, s.first + (offset - s.offset)};
      s.length = offset - s.offset;
      in.insert(in.begin() + static_cast<long>(i) + 1, rest);
      ++i;
    }
  }
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
  Stretches& stretches = scratchStretches_;
  for (std::size_t b : dirty_) {
    text.clear();
    stretches.clear();
    FieldStack after = scan(story, b, entry_[b], text, stretches);
    if (!(after == entry_[b + 1])) {
      rebuild(story);  // the paragraph now opens or closes a field that goes on after it
      return;
    }
    std::swap(stretches_[b], stretches);
    std::size_t first = blockFirst_[b], oldCount = blockFirst_[b + 1] - first;
    if (text.size() == oldCount && std::equal(text.begin(), text.end(), text_.begin() + static_cast<long>(first)))
      continue;
    text_.replace(first, oldCount, text);
    signatures_.set(b, TextSignature::ofParagraph(text));
    long delta = static_cast<long>(text.size()) - static_cast<long>(oldCount);
    for (std::size_t k = b + 1; k < blockFirst_.size(); ++k)
      blockFirst_[k] = static_cast<std::size_t>(static_cast<long>(blockFirst_[k]) + delta);
    foldedValid_ = false;
  }
  dirty_.clear();
}

const Text& StoryView::folded() {
  if (!foldedValid_) {
    folded_ = text_;
    for (char16_t& c : folded_)
      if (!U16_IS_SURROGATE(c)) c = static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
    foldedSignatures_ = paragraphSignatures(folded_, blockFirst_);
    foldedValid_ = true;
  }
  return folded_;
}

SignedText StoryView::signedFolded() {
  folded();
  return {folded_, blockFirst_, foldedSignatures_};
}

std::size_t StoryView::blockOf(std::size_t i) const {
  auto it = std::upper_bound(blockFirst_.begin(), blockFirst_.end() - 1, i);
  return static_cast<std::size_t>(it - blockFirst_.begin()) - 1;
}

StoryView::Place StoryView::place(std::size_t i) const {
  std::size_t b = blockOf(i);
  const auto rel = static_cast<std::uint32_t>(i - blockFirst_[b]);
  const Stretches& in = stretches_[b];
  auto it = std::upper_bound(in.begin(), in.end(), rel, [](std::uint32_t r, const Stretch& s) { return r < s.first; });
  const Stretch& s = *(it - 1);
  return {static_cast<std::uint32_t>(b), s.offset + (rel - s.first)};
}

long StoryView::position(const Story& story, std::size_t i) const {
  if (i >= text_.size()) return story.length();
  Place p = place(i);
  return story.blockStart(p.block) + p.offset;
}

std::size_t StoryView::indexAt(const Story& story, long pos) const {
  if (pos >= story.length()) return text_.size();
  std::size_t b = story.blockAt(pos);
  auto offset = static_cast<std::uint32_t>(pos - story.blockStart(b));
  const Stretches& in = stretches_[b];
  auto it = std::upper_bound(in.begin(), in.end(), offset,
                             [](std::uint32_t o, const Stretch& s) { return o < s.offset + s.length; });
  if (it == in.end()) return blockFirst_[b + 1];
  return blockFirst_[b] + it->first + (offset > it->offset ? offset - it->offset : 0);
}

}  // namespace host
