#include "indexing/not_used_not_found.h"

#include <utility>
#include <vector>

#include "host/model/constants.h"
#include "host/model/range.h"
#include "indexing/bookmark_names.h"

namespace indexing {

namespace {

constexpr const char* kLineBreak = "\r\n";

// An empty range at the end of the bookmark (or, when it is missing, after the paragraph
// where the given selection ends) with a new empty paragraph there; the range covers its
// mark. The index's bookmarks that ended there still end there: a mark inserted at a
// bookmark's end would otherwise fall inside it, and the block stands after them.
host::Range openBlock(host::Document& wdDoc, const char* after, const host::Range& selection) {
  host::Bookmarks& bookmarks = wdDoc.Bookmarks();
  host::Range r;
  if (bookmarks.Exists(after)) {
    r = bookmarks.Item(after).Range();
    r.SetStart(r.End());
  } else {
    // Between paragraphs, so that the block never takes part of the user's paragraph with it.
    r = selection.Duplicate();
    r.Collapse(host::wdCollapseEnd);
    if (r.Start() > 0 && wdDoc.Range(r.Start() - 1, r.Start()).Text() != "\r") {
      r.Expand(host::wdParagraph);
      r.Collapse(host::wdCollapseEnd);
    }
  }
  std::vector<std::pair<const char*, long>> ending;  // (bookmark, its start)
  for (const char* name : {kIndexBookmark, kNotUsedBookmark}) {
    if (!bookmarks.Exists(name)) continue;
    const host::Bookmark b = bookmarks.Item(name);
    if (b.End() == r.Start()) ending.emplace_back(name, b.Start());
  }
  r.InsertParagraphBefore();
  for (auto [name, start] : ending)
    if (bookmarks.Item(name).End() != r.Start()) bookmarks.Add(name, wdDoc.Range(start, r.Start()));
  return r;
}

// Writes text at the end of the range, which then covers it.
void writeAfter(host::Range& r, const std::string& text) {
  r.Collapse(host::wdCollapseEnd);
  r.SetText(text);
}

// Widens the range over the whole block (its terms were written last), sets it out left
// aligned with plain spacing and colours, and bookmarks it. Aligned only now: at the end of
// the text a block is written into the user's last paragraph before its breaks split it off,
// and that paragraph keeps its own alignment.
void closeBlock(host::Document& wdDoc, host::Range& r, const char* bookmark, bool select) {
  r.MoveStart(host::wdParagraph, -2);
  r.ParagraphFormat().SetAlignment(host::wdAlignParagraphLeft);
  r.ParagraphFormat().SetSpaceAfter(0);
  r.ParagraphFormat().SetSpaceBefore(0);
  r.ListFormat().RemoveNumbers();  // its paragraphs copied those of a list item it follows
  r.SetHighlightColorIndex(host::wdNoHighlight);
  r.Font().SetColor(host::kColorAutomatic);
  if (select) r.Select();
  wdDoc.Bookmarks().Add(bookmark, r);
}

}  // namespace

void NotUsedList(host::Document& wdDoc, const std::string& strNotUsed) {
  host::Range r = openBlock(wdDoc, kIndexBookmark, wdDoc.SelectionRange());
  writeAfter(r, "DEFINED BUT NOT USED / USED ONLY ONCE");
  r.SetBold(host::kTrue);
  writeAfter(r, std::string(" (see Index above for page number)") + kLineBreak);
  r.SetBold(host::kFalse);
  writeAfter(r, strNotUsed + kLineBreak + kLineBreak);
  closeBlock(wdDoc, r, kNotUsedBookmark, false);
}

void NotFoundList(host::Application& wdApp, host::Document& wdDoc, const std::string& strNotFound) {
  host::Range r = openBlock(wdDoc, kNotUsedBookmark, wdApp.Selection().Range());
  writeAfter(r, "NOT FOUND");
  r.SetBold(host::kTrue);
  writeAfter(r, kLineBreak);
  r.SetBold(host::kFalse);
  writeAfter(r, strNotFound + kLineBreak + kLineBreak);
  closeBlock(wdDoc, r, kNotFoundBookmark, true);
}

}  // namespace indexing
