#pragma once
// One "Find and index" run, state by state: checking where the index may go, the options
// dialog, marking the cursor and the index place, gathering the terms, the main dialog, and
// restoring the host's state and the cursor. Every way out before the main dialog takes the
// clean-up path; a failure anywhere takes the error path.

#include <memory>
#include <optional>
#include <string>

#include "addin/connect.h"
#include "addin/quote_forms.h"
#include "dialogs/frm_vlx_com.h"
#include "host/shell/application.h"

namespace addin {

/// The main dialog's list extent from the found terms, which it then empties: "Ready", or
/// "Cancel" after a failure it reported ("Error setting list box widths").
std::string SetListBoxWidths(dialogs::frmVLX_COM& dialog, host::Application& app);

/// A find-and-index run on the active document of an application with a document open.
class FindAndIndexRun {
 public:
  /// A run started from the add-in's connection object.
  FindAndIndexRun(Connect& addIn, host::Application& app) : addIn_(addIn), app_(app) {}
  /// Runs it to its end; failures are reported to the user, not thrown.
  void Run();

 private:
  bool checkIndexPlace();
  bool acceptOptions();
  void markPlaces();
  bool gatherTerms();
  void showMainDialog();
  void restore();
  void cleanUp();
  void recover(const std::exception& error);

  Connect& addIn_;
  host::Application& app_;
  host::Document* doc_ = nullptr;
  std::optional<int> viewType_;
  std::optional<QuoteForms> quoteForms_;
  std::unique_ptr<dialogs::frmVLX_COM> mainDialog_;
};

}  // namespace addin
