// The index itself: heading, empty paragraph and INDEX field, all under the bookmark
// VellandexIndex, placed at the bookmark IndexBKStart.
#include <string>

#include "engine/cls_osvlx_lib.h"
#include "host/platform/error.h"
#include "host/text/text.h"

namespace engine {

namespace {

constexpr const char* kIndexStart = "IndexBKStart";
constexpr const char* kIndexBookmark = "VellandexIndex";

// A double quote or a backslash in the separator would end or bend its quoted argument and
// could cut off the identifier after it; the field code escapes them.
std::string quotedArgument(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string indexCode(long columns, const std::string& separator) {
  return "INDEX \\c" + std::to_string(columns) + " \\e\"" + quotedArgument(separator) + "\" \\f \"" + kIndexId + "\"";
}

// The word processor's result when an index has no entries says "Error"; the index shows
// "None" instead.
void replaceErrorResult(host::Field& field) {
  host::Range result = field.Result();
  if (result.Text().find("Error") != std::string::npos) result.SetText("None\r\n");
}

}  // namespace

void clsOSVLXLib::IndexInsert(host::Application&, host::Document& wdDoc, long lngCols, std::string strSep) {
  host::Bookmarks& bookmarks = wdDoc.Bookmarks();
  if (!bookmarks.Exists(kIndexStart)) {
    host::Range selection = wdDoc.SelectionRange();
    selection.Collapse(host::wdCollapseStart);
    bookmarks.Add(kIndexStart, selection);
  }
  host::Range r = bookmarks.Item(kIndexStart).Range();
  r.SetEnd(r.Start());
  const long first = r.Start();
  // An index placed after text in a paragraph starts a paragraph of its own instead of going on
  // from that text. The paragraph mark added for it belongs to the index, so that removing the
  // index joins the text again.
  host::Range before = r.Duplicate();
  if (before.MoveStart(host::wdCharacter, -1) != 0 &&
      before.Characters16() != std::u16string(1, host::ch::kParagraph)) {
    r.SetText("\r\n");
    r.Collapse(host::wdCollapseEnd);
  }

  r.Collapse(host::wdCollapseEnd);
  const long headingStart = r.Start();
  r.SetText("INDEX OF DEFINED TERMS");
  r.SetBold(host::kTrue);
  r.Collapse(host::wdCollapseEnd);
  r.SetText("\r\n\r\n");
  r.SetBold(host::kFalse);
  r.Collapse(host::wdCollapseEnd);

  r.MoveStart(host::wdParagraph, -1);
  r.Collapse(host::wdCollapseEnd);
  r.InsertAfter("\r\n");
  r.Collapse(host::wdCollapseEnd);
  r.MoveStart(host::wdParagraph, -1);
  r.Collapse(host::wdCollapseStart);

  host::Field field = r.Fields().Add(r, host::wdFieldEmpty, indexCode(lngCols, strSep), false);
  field.Update();  // the word processor computes a new field's result; the host's Add leaves it empty
  replaceErrorResult(field);

  field.Select();
  host::Range extended = wdDoc.SelectionRange().Duplicate();
  extended.MoveEnd(host::wdParagraph, 1);

  host::Range index = wdDoc.Range(first, extended.End());
  bookmarks.Item(kIndexStart).Delete();
  index.Select();
  bookmarks.Add(kIndexBookmark, index);

  // Formatted from its heading on: a paragraph mark added before it ends the user's paragraph,
  // whose spacing and alignment stay as they were.
  host::Range own = wdDoc.Range(headingStart, index.End());
  own.ParagraphFormat().SetSpaceAfter(0);
  own.ParagraphFormat().SetSpaceBefore(0);
  own.ParagraphFormat().SetAlignment(host::wdAlignParagraphLeft);
  // Its new paragraphs copied the properties of the paragraph it was placed in: in a numbered
  // list they would take numbers and renumber the rest of the list.
  own.ListFormat().RemoveNumbers();
  index.SetHighlightColorIndex(host::wdNoHighlight);
  index.Font().SetColor(host::kColorAutomatic);
  index.Collapse(host::wdCollapseEnd);
}

void clsOSVLXLib::IndexUpdate(host::Document& wdDoc) {
  for (host::Field field : wdDoc.Fields()) {
    if (field.Type() != host::wdFieldIndex) continue;
    if (field.Code().Text().find(kIndexId) == std::string::npos) continue;
    field.Update();
    replaceErrorResult(field);
  }
}

}  // namespace engine
