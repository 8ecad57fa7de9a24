// Marking index entries: every occurrence of a term in a story is counted, marked with the
// marking colours and followed by an index-entry field, longest terms first so that a
// shorter term is not indexed again inside a longer one.
#include <optional>
#include <string>

#include "engine/cls_osvlx_lib.h"
#include "engine/story_walk.h"
#include "engine/text_trim.h"
#include "host/platform/error.h"
#include "host/model/find.h"
#include "host/text/text.h"
#include "ui/constants.h"
#include "ui/message_box.h"

namespace engine {

namespace {

// The quotes a definition may stand in. A search for curly quotes has turned them straight before
// the pass; a contract written with low-nine or angle quotes keeps its own, and its definitions
// are still definitions.
bool isDoubleQuote(char16_t c) {
  return c == u'"' || c == u'\u201C' || c == u'\u201D' || c == u'\u201E' || c == u'\u00AB' || c == u'\u00BB';
}

bool isTrue(long value) { return value == host::kTrue; }

bool styleHasCaps(const std::optional<host::Style>& style) { return style && isTrue(style->Font().AllCaps()); }

// Gives an index-entry field the colours its term had before marking, so that the field does
// not keep the marking colours it took from the text before it.
void colourField(host::Field& field, int highlight, long color) {
  host::FieldSpan span = field.Span();
  host::Range whole = field.Code().GetDocument().makeRange(field.GetStory(), span.begin, span.end + 1);
  whole.SetHighlightColorIndex(highlight);
  whole.Font().SetColor(color);
}

}  // namespace

long clsOSVLXLib::fncSearchAndIndexTermInStory(host::Document& wdActiveDoc, host::Range rngStory, std::string strTerm,
                                               long lngNumFound, long, bool blnMatchCase, bool blnIndexFullCaps,
                                               std::string strIndexType, std::string strCaseSensitiveSearchTerm) {
  try {
    host::Range storyExtent = rngStory.Duplicate();
    rngStory.Collapse(host::wdCollapseStart);
    // A term of nothing but spaces would match nothing a reader could see: count nothing.
    if (trimSpaces(strTerm).empty()) {
      rngStory.Expand(host::wdStory);
      return lngNumFound;
    }
    host::Find find = rngStory.Find();
    find.ClearFormatting();
    find.Replacement().ClearFormatting();
    find.SetMatchCase(blnMatchCase);
    find.SetMatchWholeWord(false);
    find.SetMatchWildcards(false);
    find.SetMatchSoundsLike(false);
    find.SetMatchAllWordForms(false);
    find.SetWrap(host::wdFindStop);
    find.SetText(strTerm);

    long count = lngNumFound;
    bool fullCaps = blnIndexFullCaps;
    bool termInCapitals = host::upperSameLength(host::toText(strTerm)) == host::toText(strTerm);
    long previousEnd = -1;
    while (find.Execute()) {
      // A search that does not move on would never end.
      if (rngStory.End() <= previousEnd) break;
      previousEnd = rngStory.End();

      // Nothing below changes the occurrence's highlight before it is marked: read it once.
      const long highlight = rngStory.HighlightColorIndex();
      if (highlight == kMarkHighlight && rngStory.Font().Color() == kMarkColor) continue;
      host::Range termRange = rngStory.Duplicate();

      if (strIndexType == "IndexDefs") {
        host::Range wide = rngStory.Duplicate();
        wide.MoveStart(host::wdCharacter, -1);
        wide.MoveEnd(host::wdCharacter, 1);
        host::Text chars = wide.Characters16();
        if (chars.empty() || !isDoubleQuote(chars.front()) || !isDoubleQuote(chars.back())) {
          ++count;  // counted, but only the definition is indexed
          continue;
        }
      }

      if (termInCapitals) {
        fullCaps = true;
      } else if (blnMatchCase && !fullCaps) {
        bool shownInCapitals = rngStory.Case() == host::wdUpperCase ||
                               styleHasCaps(rngStory.ParagraphFormat().Style()) || styleHasCaps(rngStory.Style()) ||
                               isTrue(rngStory.Font().AllCaps());
        if (shownInCapitals) continue;
      }

      ++count;

      // Capitals formatting off, so that the field inserted next does not inherit it.
      std::optional<host::Style> paragraphStyle = rngStory.ParagraphFormat().Style();
      bool styleCaps = false, fontCaps = false, upperCase = false;
      host::Range selectionRange;
      const long ownCaps = rngStory.Font().AllCaps();
      if (styleHasCaps(paragraphStyle)) {
        styleCaps = true;
        if (isTrue(ownCaps)) {
          fontCaps = true;
          paragraphStyle->Font().SetAllCaps(host::kFalse);
          rngStory.Font().SetAllCaps(host::kFalse);
        } else {
          paragraphStyle->Font().SetAllCaps(host::kFalse);
          selectionRange = wdActiveDoc.SelectionRange().Duplicate();
        }
      } else if (isTrue(ownCaps)) {
        fontCaps = true;
        rngStory.Font().SetAllCaps(host::kFalse);
      } else {
        upperCase = rngStory.Case() == host::wdUpperCase;
      }

      if (!(fontCaps && !fullCaps)) {
        host::Range markEnd = rngStory.Duplicate();
        markEnd.MoveEnd(host::wdCharacter, 1);
        bool paragraphMark = false;
        if (!markEnd.Characters16().empty() && markEnd.Characters16().back() == host::ch::kParagraph) {
          // A term that ends the story takes its field straight before the final mark. No space
          // is added after it, so that removing the indexing gives the user's text back as it was.
          const bool storyEnd = markEnd.End() == storyExtent.End() || markEnd.End() == wdActiveDoc.Content().End();
          paragraphMark = !storyEnd;
          markEnd.Collapse(host::wdCollapseEnd);
          markEnd.MoveStart(host::wdCharacter, -1);
        }

        std::string occurrence = rngStory.Text();
        std::size_t firstWordLength = rngStory.Words(1).Characters16().size();
        std::size_t occurrenceLength = rngStory.Characters16().size();
        long color = rngStory.Font().Color();

        rngStory.SetHighlightColorIndex(kMarkHighlight);
        rngStory.Font().SetColor(kMarkColor);
        rngStory.Collapse(host::wdCollapseEnd);

        if (paragraphMark) {
          markEnd.SetHighlightColorIndex(highlight);
          markEnd.Font().SetColor(color);
        }

        host::Range insertAt = rngStory.Duplicate();
        insertAt.Collapse(host::wdCollapseEnd);
        insertAt.MoveEnd(host::wdCharacter, 1);
        const host::Text next = insertAt.Characters16();
        if (next.size() != 1 || !isDoubleQuote(next[0])) insertAt.MoveEnd(host::wdCharacter, -1);
        insertAt.Collapse(host::wdCollapseEnd);

        std::string entry = trimSpaces(fullCaps && !strCaseSensitiveSearchTerm.empty() ? strCaseSensitiveSearchTerm
                                                                                        : occurrence);
        host::Field field = wdActiveDoc.Indexes().MarkEntry(insertAt, entry, std::string("\\f \"") + kIndexId + "\"");
        if (firstWordLength == occurrenceLength && highlight != host::kUndefined && color != host::kUndefined)
          colourField(field, static_cast<int>(highlight), color);
      }

      // Restoring what nothing changed would only cost time: a style without capitals, and a
      // term that had none while nothing touched its capitals, are left as they are.
      if (styleCaps) paragraphStyle->Font().SetAllCaps(host::kTrue);
      if (styleCaps && selectionRange) selectionRange.Font().SetAllCaps(fontCaps ? host::kTrue : host::kFalse);
      if (styleCaps || fontCaps || ownCaps != host::kFalse) termRange.Font().SetAllCaps(fontCaps ? host::kTrue : host::kFalse);
      if (upperCase) termRange.SetCase(host::wdUpperCase);
    }
    rngStory.Expand(host::wdStory);
    return count;
  } catch (const host::Error&) {
    ui::MsgBox("Could not index " + strTerm + ".", ui::vbExclamation | ui::vbOKOnly, "Error");
    return 0;
  }
}

CounterArray clsOSVLXLib::fncIndexAndMarkTerms(host::Application& wdApp, host::Document& wdDoc,
                                               std::vector<std::string>& arrSearchListArray, bool blnMatchCase) {
  ShowFieldCodes(wdDoc);
  CounterArray counters = fncBuildCounterArray(wdApp, wdDoc, arrSearchListArray, blnMatchCase);
  forEachStoryRange(wdDoc, kTextStories, [&](host::Range& story) {
    if (story.StoryLength() < 2) return;
    for (CounterRow& row : counters)
      row.count = fncSearchAndIndexTermInStory(wdDoc, story, row.term, row.count, story.StoryType(), blnMatchCase,
                                               false, "IndexAll", "");
  });
  HideFieldCodes(wdDoc);
  return counters;
}

}  // namespace engine
