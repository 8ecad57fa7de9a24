#pragma once
// The word processor's constants that the text model itself uses: story types, the value of a
// property that differs over a range, the automatic colour. Callers of the object model use
// them too, so they stand apart from the headers of the model's internals.

namespace host {

/// The word processor's story types.
enum StoryType : int {
  wdMainTextStory = 1,
  wdFootnotesStory = 2,
  wdEndnotesStory = 3,
  wdCommentsStory = 4,
  wdTextFrameStory = 5,
  wdEvenPagesHeaderStory = 6,
  wdPrimaryHeaderStory = 7,
  wdEvenPagesFooterStory = 8,
  wdPrimaryFooterStory = 9,
  wdFirstPageHeaderStory = 10,
  wdFirstPageFooterStory = 11,
};

/// The word processor's "undetermined" value for a property read over mixed formatting.
constexpr long kUndefined = 9999999;
/// Font colour "automatic".
constexpr long kColorAutomatic = -16777216;

}  // namespace host
