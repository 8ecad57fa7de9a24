#include "indexing/indexing_pass.h"

#include <array>

#include "discovery/run_objects.h"
#include "host/model/constants.h"
#include "host/text/text.h"
#include "indexing/bookmark_names.h"
#include "indexing/index_insert_or_update.h"
#include "indexing/not_used_not_found.h"
#include "util/quick_sort.h"

namespace indexing {

namespace {

constexpr const char* kLineBreak = "\r\n";

// The name a story goes by in the progress window.
std::string storyName(int storyType) {
  switch (storyType) {
    case host::wdMainTextStory: return "document";
    case host::wdFootnotesStory: return "footnotes";
    default: return "endnotes";
  }
}

// The terms of a list joined by line breaks, put in ascending ordinal order.
std::string sortedLines(const std::string& joined) {
  std::vector<std::string> pieces;
  for (std::size_t from = 0;;) {
    const std::size_t at = joined.find(kLineBreak, from);
    pieces.push_back(joined.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) break;
    from = at + 2;
  }
  util::QuickSort(pieces, 0, static_cast<int>(pieces.size()) - 1);
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) out += (i == 0 ? "" : kLineBreak) + pieces[i];
  return out;
}

}  // namespace

void IndexDocument(host::Application& wdApp, host::Document& wdDoc, const std::vector<std::string>& searchList,
                   dialogs::frmVLX_COM& form, const RunOptions& options) {
  wdApp.Selection().HomeKey(host::wdStory);
  wdApp.SetScreenUpdating(false);
  form.Hide();
  engine::_clsOSVLXLib& engine = discovery::RunEngine();
  engine.ShowFieldCodes(wdDoc);

  engine::CounterArray counters = engine.fncBuildCounterArray(wdApp, wdDoc, searchList, options.matchCase);
  for (host::Range story : wdDoc.StoryRanges()) {
    if (story.StoryType() < host::wdCommentsStory && story.StoryLength() >= 2)
      counters = fncIndexStory(wdDoc, story, std::move(counters), story.StoryType(), options.matchCase,
                               options.indexFullCaps, options.indexType);
  }

  const std::array<std::string, 2> lists = engine.fncBuildNotUsedNotFoundStrings(counters);
  const std::string notUsed = sortedLines(lists[0]);
  const std::string notFound = sortedLines(lists[1]);

  IndexInsertOrUpdate(form, wdDoc, wdApp, false);
  if (options.includeNotUsed) NotUsedList(wdDoc, notUsed);
  if (options.includeNotFound) NotFoundList(wdApp, wdDoc, notFound);

  if (wdDoc.Bookmarks().Exists(kIndexBookmark)) {
    wdApp.Selection().GoTo(host::wdGoToBookmark, host::wdGoToFirst, 1, kIndexBookmark);
    wdApp.Selection().Collapse(host::wdCollapseStart);
  }
  engine.HideFieldCodes(wdDoc);
  wdDoc.UndoClear();
  wdApp.ScreenRefresh();
  wdApp.SetScreenUpdating(true);
}

engine::CounterArray fncIndexStory(host::Document& wdDoc, host::Range& rngStory, engine::CounterArray arrCounterArray,
                                   int storyType, bool matchCase, bool indexFullCaps, const std::string& indexType) {
  // The host's find skips hidden text only while it is not shown: the entry fields are hidden.
  wdDoc.ActiveWindow().View().SetShowHiddenText(false);
  const std::string name = storyName(storyType);
  progress::clsProgForm& progress = discovery::RunProgress();
  progress.ShowProgress(0);
  progress.UpdateProgress("Please wait", "Indexing " + name, "", 0, 0, "");

  engine::_clsOSVLXLib& engine = discovery::RunEngine();
  const long last = static_cast<long>(arrCounterArray.size()) - 1;
  for (long i = 0; i <= last; ++i) {
    engine::CounterRow& row = arrCounterArray[static_cast<std::size_t>(i)];
    progress.UpdateProgress("Please wait", "Indexing " + name + ":  " + row.term, "", i, last, "");
    row.count = engine.fncSearchAndIndexTermInStory(wdDoc, rngStory, row.term, row.count, rngStory.StoryType(),
                                                    matchCase, indexFullCaps, indexType, "");
    // A failed search leaves the range where it stopped; the next search covers the whole story.
    rngStory.Expand(host::wdStory);
    const std::string capitals = host::toUtf8(host::upperSameLength(host::toText(row.term)));
    if (indexFullCaps && capitals != row.term) {
      row.count = engine.fncSearchAndIndexTermInStory(wdDoc, rngStory, capitals, row.count, rngStory.StoryType(), true,
                                                      true, indexType, row.term);
      rngStory.Expand(host::wdStory);
    }
  }
  progress.CloseProgress();
  return arrCounterArray;
}

}  // namespace indexing
