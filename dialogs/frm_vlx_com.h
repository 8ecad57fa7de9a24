#pragma once
// frmVLX_COM, the main dialog: the terms found in the document and the terms the user adds,
// the option controls on a three-tab strip, and the buttons that index or cancel. Its OK,
// refresh and cancel buttons reach the add-in through VLXAddIn.

#include <string>

#include "dialogs/addin_link.h"
#include "dialogs/help_controls.h"
#include "dialogs/option_controls.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// The main dialog.
class frmVLX_COM : public ui::Form, public OptionControls, public HelpControls {
 public:
  /// An unloaded, hidden dialog with every control laid out and wired.
  frmVLX_COM();

  /// The add-in object for the time the dialog is open (nullptr for none).
  VLXAddInLink* VLXAddIn() const { return addIn_; }
  /// Sets the add-in object.
  void SetVLXAddIn(VLXAddInLink* addIn) { addIn_ = addIn; }
  /// Takes the close box away from the window captioned strCaption and remembers it.
  void DisableXButton(const std::string& strCaption);
  /// The window DisableXButton found, nullptr for none.
  ui::Form* Handle() const { return handle_; }

  /// Adds the typed term to the additional terms unless either list holds it already.
  void cmdAddTerm_Click();
  /// Deletes the selected additional terms after asking.
  void cmdDeleteTerm_Click();
  /// Undoes the run's bookmarks, sets the Tag "Cancel" and hides the dialog.
  void cmdCancel_Click();
  /// Rebuilds the found list from the stored search type.
  void cmdRefresh_Click();
  /// Saves the options shown, then rebuilds the found list with them.
  void cmdSetDefaults_Click();

  ui::Frame frameTermsInDoc{*this, "frameTermsInDoc"};
  ui::Label lblTermsInDoc{*this, "lblTermsInDoc"};
  ui::ListBox lstTermsInDoc{*this, "lstTermsInDoc"};
  ui::CommandButton cmdSelectAllTermsInDoc{*this, "cmdSelectAllTermsInDoc"};
  ui::CommandButton cmdDeselectAllTermsInDoc{*this, "cmdDeselectAllTermsInDoc"};
  ui::Frame frameAddTerms{*this, "frameAddTerms"};
  ui::Label lblAddTerms{*this, "lblAddTerms"};
  ui::TextBox txtAddTerm{*this, "txtAddTerm"};
  ui::CommandButton cmdAddTerm{*this, "cmdAddTerm"};
  ui::ListBox lstAddTerms{*this, "lstAddTerms"};
  ui::CommandButton cmdSelectAllAddTerms{*this, "cmdSelectAllAddTerms"};
  ui::CommandButton cmdDeselectAllAddTerms{*this, "cmdDeselectAllAddTerms"};
  ui::CommandButton cmdDeleteTerm{*this, "cmdDeleteTerm"};
  ui::CommandButton cmdLoadSavedList{*this, "cmdLoadSavedList"};
  ui::ControlArray<ui::CommandButton> cmdSaveList{*this, "cmdSaveList", 2};  // 0 found terms, 1 added terms
  ui::Frame frameOptions{*this, "frameOptions"};
  ui::TabStrip tbcTabs{*this, "tbcTabs"};
  ui::ControlArray<ui::Frame> fraTab{*this, "fraTab", 3};  // Search, Index, Readme
  ui::ControlArray<ui::Label> lblReadme{*this, "lblReadme", 2};
  ui::CommandButton cmdRefresh{*this, "cmdRefresh"};
  ui::CommandButton cmdSetDefaults{*this, "cmdSetDefaults"};
  ui::CommandButton cmdFormHelp{*this, "cmdFormHelp"};
  ui::Image imgAbout{*this, "imgAbout"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};
  ui::Label lblLabel1{*this, "lblLabel1"};
  ui::Label lblLabel2{*this, "lblLabel2"};
  ui::Label lblLabel3{*this, "lblLabel3"};
  ui::StatusBar StatusBar1{*this, "StatusBar1"};

 protected:
  bool RemindsToRefresh() const override { return true; }
  /// Shows the frame of the selected tab and the logo.
  void Form_Load() override;
  /// Gives the explanation of the found list the room the list leaves it.
  void Form_Activate() override;

 private:
  void SetCaptions();
  void WireEvents();
  void LayOut();
  void ArrangeTabOrder();
  void ArrangeFoundTermsArea();
  // Steps shared by the two refresh buttons.
  void ShowRefreshProgress();
  void RebuildFoundList(const std::string& onScreenSearchType);
  void EndRefreshProgress(const std::string& explanation);

  VLXAddInLink* addIn_ = nullptr;
  ui::Form* handle_ = nullptr;
};

/// Remembers the list's current item, selects or deselects every item, and puts the
/// current item back, so that the list does not scroll.
void SelectAllItems(ui::ListBox& list, bool selected);

}  // namespace dialogs
