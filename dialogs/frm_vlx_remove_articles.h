#pragma once
// frmVLXRemoveArticles: the quoted terms that begin with an article, in a list whose ticked
// entries the quoted-term finder moves the opening quote past the article for.

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_controls.h"

namespace dialogs {

/// The article dialog; its Tag is "OK" after OK and "Cancel" after Cancel or the close box.
class frmVLXRemoveArticles : public ui::Form {
 public:
  /// An unloaded, hidden dialog with an empty list.
  frmVLXRemoveArticles();

  ui::Label lblExplain{*this, "lblExplain"};
  ui::ListBox lstTerms{*this, "lstTerms"};  // a tick list: Selected(i) is item i's tick
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdCancel{*this, "cmdCancel"};

 protected:
  /// The close box counts as Cancel.
  void Form_QueryUnload(int& cancel, int unloadMode) override;
};

}  // namespace dialogs
