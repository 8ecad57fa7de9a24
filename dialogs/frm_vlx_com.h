#pragma once
// frmVLX_COM, the main dialog: the terms found in the document and the terms the user adds,
// the option controls on a three-tab strip, and the buttons that index or cancel.

#include <string>

#include "dialogs/addin_link.h"
#include "dialogs/option_controls.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// The main dialog.
class frmVLX_COM : public ui::Form, public OptionControls {
 public:
  /// An unloaded, hidden dialog with every control.
  frmVLX_COM();

  /// The add-in object for the time the dialog is open (nullptr for none).
  VLXAddInLink* VLXAddIn() const { return addIn_; }
  /// Sets the add-in object.
  void SetVLXAddIn(VLXAddInLink* addIn) { addIn_ = addIn; }
  /// Takes the close box away from the window captioned strCaption and remembers it.
  void DisableXButton(const std::string& strCaption);
  /// The window DisableXButton found, nullptr for none.
  ui::Form* Handle() const { return handle_; }

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
  ui::Label lblHelpClick{*this, "lblHelpClick"};
  ui::Label lblFAQClick{*this, "lblFAQClick"};
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
  ui::Menu mnuHelp{*this, "mnuHelp"};
  ui::Menu cmdGettingStarted{*this, "cmdGettingStarted"};
  ui::Menu cmdCreate{*this, "cmdCreate"};
  ui::Menu cmdDelete{*this, "cmdDelete"};
  ui::Menu cmdNoHighlight{*this, "cmdNoHighlight"};
  ui::Menu cmdUpdate{*this, "cmdUpdate"};
  ui::Menu cmdLists{*this, "cmdLists"};
  ui::Menu cmdOptions{*this, "cmdOptions"};
  ui::Menu cmdFAQ{*this, "cmdFAQ"};
  ui::Menu cmdAbout{*this, "cmdAbout"};

 private:
  VLXAddInLink* addIn_ = nullptr;
  ui::Form* handle_ = nullptr;
};

}  // namespace dialogs
