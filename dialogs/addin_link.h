#pragma once
// The add-in as its dialogs reach it: the main dialog's VLXAddIn. The buttons of the main
// dialog start procedures of the layers above the dialogs (the indexing pass, the term
// searches); the add-in's Connect object implements this link and forwards to them.

#include <string>

#include "host/shell/application.h"

namespace dialogs {

class frmVLX_COM;

/// What the main dialog asks of the add-in that shows it.
class VLXAddInLink {
 public:
  virtual ~VLXAddInLink() = default;
  /// The host application the add-in was connected to.
  virtual host::Application& wdApp() = 0;
  /// The OK button: builds the search list from the dialog and runs the indexing pass.
  virtual void cmdOK_Click(frmVLX_COM& form) = 0;
  /// The save-before-search step for a search of searchType ("SearchFlagged" or
  /// "SearchInitCaps"): 0 failed, 1 go on, 2 the user declined.
  virtual int SaveBeforeSearch(frmVLX_COM& form, const std::string& searchType) = 0;
  /// The quoted-term list refresh: fills the found-terms array with the terms in quotes.
  virtual void RefreshQuotedTerms(frmVLX_COM& form, const std::string& indexWhat) = 0;
  /// The capitalised-terms list step: fills the found-terms array; false after a failure
  /// the user was told about.
  virtual bool RefreshCappedTerms(frmVLX_COM& form) = 0;
};

}  // namespace dialogs
