#pragma once
// The word processor's constants, under the names the rest of the system uses.

namespace host {

constexpr long kTrue = -1;  // a Boolean property that is on
constexpr long kFalse = 0;

enum CollapseDirection : int { wdCollapseEnd = 0, wdCollapseStart = 1 };

enum Unit : int { wdCharacter = 1, wdWord = 2, wdSentence = 3, wdParagraph = 4, wdStory = 6 };

enum CharacterCase : int { wdLowerCase = 0, wdUpperCase = 1, wdTitleWord = 2 };

enum ParagraphAlignment : int {
  wdAlignParagraphLeft = 0,
  wdAlignParagraphCenter = 1,
  wdAlignParagraphRight = 2,
  wdAlignParagraphJustify = 3,
};

enum SectionStart : int {
  wdSectionContinuous = 0,
  wdSectionNewColumn = 1,
  wdSectionNewPage = 2,
  wdSectionEvenPage = 3,
  wdSectionOddPage = 4,
};

/// What Range.Information tells.
enum WdInformation : int { wdActiveEndPageNumber = 3, wdInFieldCode = 44, wdInFieldResult = 45 };

enum ColorIndex : int { wdNoHighlight = 0, wdRed = 6 };

enum FieldType : int {
  wdFieldEmpty = -1,
  wdFieldIndexEntry = 4,
  wdFieldIndex = 8,
  wdFieldTOC = 13,
};

}  // namespace host
