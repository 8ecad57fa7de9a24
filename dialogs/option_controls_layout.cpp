// Where the option controls stand: the same places, relative to their frame, on both dialogs.
#include "dialogs/option_controls.h"

namespace dialogs {

void Place(ui::Control& control, ui::Control* container, int left, int top, int width, int height) {
  control.SetContainer(container);
  control.Move(left, top, width, height);
}

namespace {

// Two option buttons, one above the other, in their frame.
void PlacePair(ui::ControlArray<ui::OptionButton>& buttons) {
  buttons(0).Move(12, 22, 186, 22);
  buttons(1).Move(12, 48, 186, 22);
}

}  // namespace

void OptionControls::PlaceSearchOptions(ui::Frame& container, int top) {
  Place(frameSearchType, &container, 10, top + 2, 210, 78);
  PlacePair(optSearchType);
  Place(chkBold, &container, 10, top + 90, 210, 24);
  Place(lblOpenQuote, &container, 234, top + 14, 104, 20);
  Place(cmbOpenQuote, &container, 340, top + 8, 64, 28);
  Place(lblCloseQuote, &container, 234, top + 50, 104, 20);
  Place(cmbCloseQuote, &container, 340, top + 44, 64, 28);
  Place(chkCaseSensitive, &container, 418, top + 6, 236, 24);
  Place(chkIndexCaps, &container, 418, top + 34, 236, 24);
  Place(chkIgnoreNums, &container, 418, top + 62, 236, 24);
  Place(chkHighlight, &container, 418, top + 90, 236, 24);
}

void OptionControls::PlaceIndexOptions(ui::Frame& container, int top) {
  Place(frmIndexWhat, &container, 10, top + 2, 210, 78);
  PlacePair(optIndexWhat);
  Place(chkIncludeNotUsed, &container, 234, top + 6, 190, 24);
  Place(chkIncludeNotFound, &container, 234, top + 34, 190, 24);
  Place(lblCols, &container, 436, top + 12, 112, 20);
  Place(txtCols, &container, 550, top + 8, 40, 26);
  Place(updownCols, &container, 590, top + 8, 18, 26);
  Place(lblSep, &container, 436, top + 46, 112, 20);
  Place(txtSep, &container, 550, top + 42, 76, 26);
  Place(chkTabSep, &container, 550, top + 72, 96, 24);
}

std::vector<ui::Control*> OptionControls::SearchOptionsTabOrder() {
  return {&optSearchType(0), &optSearchType(1), &chkBold,      &lblOpenQuote,  &cmbOpenQuote, &lblCloseQuote,
          &cmbCloseQuote,    &chkCaseSensitive, &chkIndexCaps, &chkIgnoreNums, &chkHighlight};
}

std::vector<ui::Control*> OptionControls::IndexOptionsTabOrder() {
  return {&optIndexWhat(0), &optIndexWhat(1), &chkIncludeNotUsed, &chkIncludeNotFound, &lblCols, &txtCols,
          &lblSep,          &txtSep,          &chkTabSep};
}

}  // namespace dialogs
