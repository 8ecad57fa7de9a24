#pragma once
// A stand-in for the add-in behind the main dialog: it records what the dialog asks of it and
// answers as the test says. Header-only, so that it stays out of the libraries.

#include <functional>
#include <string>
#include <vector>

#include "dialogs/addin_link.h"
#include "dialogs/frm_vlx_com.h"
#include "host/shell/application.h"
#include "state/run_state.h"

namespace dialogs::testing {

/// The add-in as a test plays it.
class FakeAddIn : public VLXAddInLink {
 public:
  host::Application& wdApp() override { return app; }
  void cmdOK_Click(frmVLX_COM& form) override {
    calls.push_back("cmdOK_Click");
    okForm = &form;
  }
  int SaveBeforeSearch(frmVLX_COM& form, const std::string& searchType) override {
    calls.push_back("SaveBeforeSearch " + searchType);
    if (duringSearch) duringSearch(form);
    return saveBeforeSearch;
  }
  void RefreshQuotedTerms(frmVLX_COM&, const std::string& indexWhat) override {
    calls.push_back("RefreshQuotedTerms " + indexWhat);
    state::arrFoundTerms = found;
  }
  bool RefreshCappedTerms(frmVLX_COM&) override {
    calls.push_back("RefreshCappedTerms");
    state::arrFoundTerms = found;
    return cappedResult;
  }

  host::Application app;
  std::vector<std::string> found;                 // what the searches put into the found-terms array
  int saveBeforeSearch = 1;                       // the save-before-search step's answer
  bool cappedResult = true;                       // the capitalised search's result
  std::function<void(frmVLX_COM&)> duringSearch;  // runs while the search is on
  std::vector<std::string> calls;                 // what the dialog asked, in order
  frmVLX_COM* okForm = nullptr;
};

}  // namespace dialogs::testing
