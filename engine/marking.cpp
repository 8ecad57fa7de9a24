// Marking index entries: every occurrence of a term in a story is counted, marked with the
// marking colours and followed by an index-entry field, longest terms first so that a
// shorter term is not indexed again inside a longer one.
#include <optional>
#include <string>

#include "engine/cls_osvlx_lib.h"
#include "engine/story_walk.h"
#include "engine/text_trim.h"
#include "host/model/find.h"
#include "host/platform/error.h"
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

// Sets the find up for one term: plain text, the given case, to the story's end.
void prepareFind(host::Find& find, const std::string& term, bool matchCase) {
  find.ClearFormatting();
  find.Replacement().ClearFormatting();
  find.SetMatchCase(matchCase);
  find.SetMatchWholeWord(false);
  find.SetMatchWildcards(false);
  find.SetMatchSoundsLike(false);
  find.SetMatchAllWordForms(false);
  find.SetWrap(host::wdFindStop);
  find.SetText(term);
}

// True when the occurrence stands between double quotes, as a definition does.
bool standsInQuotes(const host::Range& occurrence) {
  host::Range wide = occurrence.Duplicate();
  wide.MoveStart(host::wdCharacter, -1);
  wide.MoveEnd(host::wdCharacter, 1);
  host::Text chars = wide.Characters16();
  return !chars.empty() && isDoubleQuote(chars.front()) && isDoubleQuote(chars.back());
}

// True when the reader sees the occurrence in capitals: typed so, or by its styles or font.
bool shownInCapitals(host::Range& occurrence) {
  return occurrence.Case() == host::wdUpperCase || styleHasCaps(occurrence.ParagraphFormat().Style()) ||
         styleHasCaps(occurrence.Style()) || isTrue(occurrence.Font().AllCaps());
}

// The capitals formatting an occurrence had before it was switched off for marking.
struct CapsBefore {
  std::optional<host::Style> paragraphStyle;
  bool styleCaps = false, fontCaps = false, upperCase = false;
  host::Range selectionRange;
  long ownCaps = host::kFalse;
};

// Capitals formatting off, so that the field inserted next does not inherit it.
CapsBefore switchCapsOff(host::Document& doc, host::Range& occurrence) {
  CapsBefore caps;
  caps.paragraphStyle = occurrence.ParagraphFormat().Style();
  caps.ownCaps = occurrence.Font().AllCaps();
  if (styleHasCaps(caps.paragraphStyle)) {
    caps.styleCaps = true;
    if (isTrue(caps.ownCaps)) {
      caps.fontCaps = true;
      caps.paragraphStyle->Font().SetAllCaps(host::kFalse);
      occurrence.Font().SetAllCaps(host::kFalse);
    } else {
      caps.paragraphStyle->Font().SetAllCaps(host::kFalse);
      caps.selectionRange = doc.SelectionRange().Duplicate();
    }
  } else if (isTrue(caps.ownCaps)) {
    caps.fontCaps = true;
    occurrence.Font().SetAllCaps(host::kFalse);
  } else {
    caps.upperCase = occurrence.Case() == host::wdUpperCase;
  }
  return caps;
}

// Restoring what nothing changed would only cost time: a style without capitals, and a
// term that had none while nothing touched its capitals, are left as they are.
void restoreCaps(CapsBefore& caps, host::Range& term) {
  if (caps.styleCaps) caps.paragraphStyle->Font().SetAllCaps(host::kTrue);
  if (caps.styleCaps && caps.selectionRange)
    caps.selectionRange.Font().SetAllCaps(caps.fontCaps ? host::kTrue : host::kFalse);
  if (caps.styleCaps || caps.fontCaps || caps.ownCaps != host::kFalse)
    term.Font().SetAllCaps(caps.fontCaps ? host::kTrue : host::kFalse);
  if (caps.upperCase) term.SetCase(host::wdUpperCase);
}

// Marks one occurrence: the marking colours on it, and an index-entry field after it (after
// its closing quote when a definition's quote follows). The range ends collapsed after the
// occurrence. `highlight` is the occurrence's highlight before marking.
void markOccurrence(host::Document& doc, host::Range& occurrence, const host::Range& storyExtent, long highlight,
                    const std::string& entryText) {
  host::Range markEnd = occurrence.Duplicate();
  markEnd.MoveEnd(host::wdCharacter, 1);
  bool paragraphMark = false;
  if (!markEnd.Characters16().empty() && markEnd.Characters16().back() == host::ch::kParagraph) {
    // A term that ends the story takes its field straight before the final mark. No space
    // is added after it, so that removing the indexing gives the user's text back as it was.
    const bool storyEnd = markEnd.End() == storyExtent.End() || markEnd.End() == doc.Content().End();
    paragraphMark = !storyEnd;
    markEnd.Collapse(host::wdCollapseEnd);
    markEnd.MoveStart(host::wdCharacter, -1);
  }

  std::string text = occurrence.Text();
  std::size_t firstWordLength = occurrence.Words(1).Characters16().size();
  std::size_t occurrenceLength = occurrence.Characters16().size();
  long color = occurrence.Font().Color();

  occurrence.SetHighlightColorIndex(kMarkHighlight);
  occurrence.Font().SetColor(kMarkColor);
  occurrence.Collapse(host::wdCollapseEnd);

  if (paragraphMark) {
    markEnd.SetHighlightColorIndex(highlight);
    markEnd.Font().SetColor(color);
  }

  host::Range insertAt = occurrence.Duplicate();
  insertAt.Collapse(host::wdCollapseEnd);
  insertAt.MoveEnd(host::wdCharacter, 1);
  const host::Text next = insertAt.Characters16();
  if (next.size() != 1 || !isDoubleQuote(next[0])) insertAt.MoveEnd(host::wdCharacter, -1);
  insertAt.Collapse(host::wdCollapseEnd);

  std::string entry = trimSpaces(entryText.empty() ? text : entryText);
  host::Field field = doc.Indexes().MarkEntry(insertAt, entry, std::string("\\f \"") + kIndexId + "\"");
  if (firstWordLength == occurrenceLength && highlight != host::kUndefined && color != host::kUndefined)
    colourField(field, static_cast<int>(highlight), color);
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
    prepareFind(find, strTerm, blnMatchCase);

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

      if (strIndexType == "IndexDefs" && !standsInQuotes(rngStory)) {
        ++count;  // counted, but only the definition is indexed
        continue;
      }

      if (termInCapitals) {
        fullCaps = true;
      } else if (blnMatchCase && !fullCaps) {
        if (shownInCapitals(rngStory)) continue;
      }

      ++count;
      CapsBefore caps = switchCapsOff(wdActiveDoc, rngStory);
      if (!(caps.fontCaps && !fullCaps))
        markOccurrence(wdActiveDoc, rngStory, storyExtent, highlight, fullCaps ? strCaseSensitiveSearchTerm : "");
      restoreCaps(caps, termRange);
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
