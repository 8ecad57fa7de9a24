#pragma once
// The search and index option controls. The main dialog and the options dialog both carry
// them under the same names and with the same reactions, so each form inherits them from
// here and the settings loader, SaveOptions and the enabling rules work on either form.

#include "ui/control.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// The option controls of a form, created on that form.
class OptionControls {
 public:
  /// Creates the controls on form with the main dialog's captions.
  explicit OptionControls(ui::Form& form);
  virtual ~OptionControls() = default;
  OptionControls(const OptionControls&) = delete;
  OptionControls& operator=(const OptionControls&) = delete;

  /// The form the controls sit on.
  ui::Form& OptionsForm() const { return form_; }

 private:
  ui::Form& form_;

 public:
  ui::Frame frameSearchType;
  ui::ControlArray<ui::OptionButton> optSearchType;  // 0 terms in quotes, 1 capitalised words
  ui::CheckBox chkBold;
  ui::Label lblOpenQuote;
  ui::ComboBox cmbOpenQuote;
  ui::Label lblCloseQuote;
  ui::ComboBox cmbCloseQuote;
  ui::CheckBox chkCaseSensitive;
  ui::CheckBox chkIndexCaps;
  ui::CheckBox chkIgnoreNums;
  ui::CheckBox chkHighlight;
  ui::Frame frmIndexWhat;
  ui::ControlArray<ui::OptionButton> optIndexWhat;  // 0 all instances, 1 definitions only
  ui::CheckBox chkIncludeNotUsed;
  ui::CheckBox chkIncludeNotFound;
  ui::Label lblCols;
  ui::TextBox txtCols;
  ui::UpDown updownCols;
  ui::Label lblSep;
  ui::TextBox txtSep;
  ui::CheckBox chkTabSep;
};

}  // namespace dialogs
