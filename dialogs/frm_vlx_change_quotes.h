#pragma once
// frmVLXChangeQuotes, the quote-style dialog the quote-pair check offers: the two quote lists,
// OK that stores the chosen pair in the settings file, and Cancel.

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// The quote-style dialog; its Tag is "OK" after OK and "Cancel" after Cancel or the close box.
class frmVLXChangeQuotes : public ui::Form {
 public:
  /// An unloaded, hidden dialog with every control.
  frmVLXChangeQuotes();

  ui::Label lblExplain{*this, "lblExplain"};
  ui::Label lblOpenQuote{*this, "lblOpenQuote"};
  ui::ComboBox cmbOpenQuote{*this, "cmbOpenQuote"};
  ui::Label lblCloseQuote{*this, "lblCloseQuote"};
  ui::ComboBox cmbCloseQuote{*this, "cmbCloseQuote"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

 protected:
  /// Fills the lists and selects the pair the settings file holds.
  void Form_Load() override;
  /// The close box counts as Cancel.
  void Form_QueryUnload(int& cancel, int unloadMode) override;
};

}  // namespace dialogs
