#pragma once
// The search and index option controls. The main dialog and the options dialog both carry
// them under the same names and with the same reactions, so each form inherits them from
// here and the settings loader, SaveOptions and the enabling rules work on either form.
// The only difference: the main dialog reminds the user to refresh its found list when a
// search option changes (RemindsToRefresh).

#include <vector>

#include "ui/control.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// The option controls of a form, created on that form.
class OptionControls {
 public:
  /// Creates the controls on form with the main dialog's captions and wires their reactions.
  explicit OptionControls(ui::Form& form);
  virtual ~OptionControls() = default;
  OptionControls(const OptionControls&) = delete;
  OptionControls& operator=(const OptionControls&) = delete;

  /// The form the controls sit on.
  ui::Form& OptionsForm() const { return form_; }
  /// Tells the user that the found list needs the "Find terms and refresh list" button.
  static void RefreshListReminder();

  /// Places the search options (search type, bold, quotes, case, capitals, numbers,
  /// highlight) in container, from top pixels down; they take 120 pixels.
  void PlaceSearchOptions(ui::Frame& container, int top);
  /// Places the index options (index what, the two lists, columns, separator) in container,
  /// from top pixels down; they take 100 pixels.
  void PlaceIndexOptions(ui::Frame& container, int top);
  /// The search options in tab order, each label before the control it names.
  std::vector<ui::Control*> SearchOptionsTabOrder();
  /// The index options in tab order, each label before the control it names.
  std::vector<ui::Control*> IndexOptionsTabOrder();

 protected:
  /// True on the form whose found list a changed search option makes stale.
  virtual bool RemindsToRefresh() const { return false; }

 private:
  void WireReactions();
  // The focus left a search option whose value was valueOnFocus when it got the focus.
  void SearchOptionLeft(const ui::Control* next, int valueOnFocus, int valueNow) const;

  ui::Form& form_;
  int boldOnFocus_ = 0;        // chkBold's value when it last got the focus
  int openQuoteOnFocus_ = -1;  // the quote lists' entries when they last got the focus
  int closeQuoteOnFocus_ = -1;

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

/// Puts a control into container (nullptr: the form itself) at a place relative to it.
void Place(ui::Control& control, ui::Control* container, int left, int top, int width, int height);

/// Whether a character typed into the columns box reaches it: the digits 1 to 4 and the
/// control keys Backspace, Tab, Enter and Escape.
bool ColumnsKeyPasses(int keyAscii);

}  // namespace dialogs
