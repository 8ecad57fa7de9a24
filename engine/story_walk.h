#pragma once
// Walks the story ranges of a document, each followed through its linked next ranges.

#include <functional>

#include "host/model/document.h"
#include "host/model/range.h"

namespace engine {

/// Calls fn for every story range (and every range linked after it) whose type is below
/// maxType.
inline void forEachStoryRange(host::Document& doc, int maxType, const std::function<void(host::Range&)>& fn) {
  for (host::Range story : doc.StoryRanges()) {
    if (story.StoryType() >= maxType) continue;
    for (host::Range r = story; r; r = r.NextStoryRange()) fn(r);
  }
}

/// Every story type there is, for walks that visit all of them.
inline constexpr int kAllStories = 1000;
/// The text stories: main text, footnotes and endnotes.
inline constexpr int kTextStories = 4;

}  // namespace engine
