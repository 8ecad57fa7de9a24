// Where the main dialog's controls stand, and the order Tab visits them. The dialog fits a
// 1366x768 screen with room for the title bar, the menu bar and a panel.
#include "dialogs/frm_vlx_com.h"

namespace dialogs {

void frmVLX_COM::LayOut() {
  SetSize(900, 596);
  // The found terms, left; the explanation above them and the progress lines over it.
  Place(lblTermsInDoc, nullptr, 8, 4, 438, 60);
  Place(lblLabel1, nullptr, 8, 4, 438, 18);
  Place(lblLabel2, nullptr, 8, 24, 438, 18);
  Place(lblLabel3, nullptr, 8, 44, 438, 18);
  Place(frameTermsInDoc, nullptr, 8, 70, 438, 276);
  Place(lstTermsInDoc, &frameTermsInDoc, 10, 24, 418, 206);
  Place(cmdSelectAllTermsInDoc, &frameTermsInDoc, 10, 238, 110, 28);
  Place(cmdDeselectAllTermsInDoc, &frameTermsInDoc, 126, 238, 110, 28);
  Place(cmdSaveList(0), &frameTermsInDoc, 288, 238, 140, 28);

  // The terms the user adds, right.
  Place(frameAddTerms, nullptr, 454, 4, 438, 342);
  Place(lblAddTerms, &frameAddTerms, 10, 22, 418, 34);
  Place(txtAddTerm, &frameAddTerms, 10, 60, 298, 26);
  Place(cmdAddTerm, &frameAddTerms, 314, 59, 114, 28);
  Place(lstAddTerms, &frameAddTerms, 10, 94, 418, 168);
  Place(cmdSelectAllAddTerms, &frameAddTerms, 10, 270, 110, 28);
  Place(cmdDeselectAllAddTerms, &frameAddTerms, 126, 270, 110, 28);
  Place(cmdDeleteTerm, &frameAddTerms, 318, 270, 110, 28);
  Place(cmdLoadSavedList, &frameAddTerms, 10, 304, 150, 28);
  Place(cmdSaveList(1), &frameAddTerms, 166, 304, 120, 28);

  // The options on three tabs, below.
  Place(frameOptions, nullptr, 8, 352, 684, 214);
  Place(tbcTabs, &frameOptions, 10, 20, 664, 28);
  for (int i = 0; i < fraTab.Count(); ++i) Place(fraTab(i), &frameOptions, 10, 48, 664, 158);
  PlaceSearchOptions(fraTab(0), 8);
  PlaceIndexOptions(fraTab(1), 8);
  Place(lblReadme(0), &fraTab(2), 10, 10, 644, 20);
  Place(lblReadme(1), &fraTab(2), 10, 36, 644, 72);
  Place(lblHelpClick, &fraTab(2), 10, 120, 180, 22);
  Place(lblFAQClick, &fraTab(2), 210, 120, 180, 22);

  // The buttons, bottom right.
  Place(cmdRefresh, nullptr, 700, 358, 192, 30);
  Place(cmdSetDefaults, nullptr, 700, 394, 192, 30);
  Place(cmdFormHelp, nullptr, 700, 430, 192, 30);
  Place(imgAbout, nullptr, 772, 470, 48, 48);
  Place(cmdOK, nullptr, 700, 530, 94, 30);
  Place(cmdCancel, nullptr, 798, 530, 94, 30);
  cmdOK.SetDefault(true);
  cmdCancel.SetCancel(true);
  Place(StatusBar1, nullptr, 0, 574, 900, 22);
}

void frmVLX_COM::ArrangeTabOrder() {
  std::vector<ui::Control*> order{&lstTermsInDoc,
                                  &cmdSelectAllTermsInDoc,
                                  &cmdDeselectAllTermsInDoc,
                                  &cmdSaveList(0),
                                  &lblAddTerms,
                                  &txtAddTerm,
                                  &cmdAddTerm,
                                  &lstAddTerms,
                                  &cmdSelectAllAddTerms,
                                  &cmdDeselectAllAddTerms,
                                  &cmdDeleteTerm,
                                  &cmdLoadSavedList,
                                  &cmdSaveList(1),
                                  &tbcTabs};
  const std::vector<ui::Control*> search = SearchOptionsTabOrder();
  const std::vector<ui::Control*> index = IndexOptionsTabOrder();
  order.insert(order.end(), search.begin(), search.end());
  order.insert(order.end(), index.begin(), index.end());
  order.insert(order.end(), {&cmdRefresh, &cmdSetDefaults, &cmdFormHelp, &cmdOK, &cmdCancel});
  SetTabOrder(std::move(order));
}

}  // namespace dialogs
