#pragma once
// A batch session: the host application with one document, the add-in connected as the desktop
// host connects it, and the scripted user answering its dialogs and messages. Commands run by
// clicking the add-in's own menu buttons, so a batch run takes the road a user's click takes.
// Every message shown is echoed on standard error.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/batch_failure.h"
#include "host/shell/addin_connection.h"
#include "host/shell/application.h"
#include "host/shell/registry.h"
#include "ui/script/backend.h"

namespace app {

/// One document opened in a batch host with the add-in connected.
class BatchSession {
 public:
  /// Opens the document (BatchFailure with kExitBadInput when it cannot be read) and connects
  /// the add-in (kExitInternal when it cannot be created).
  explicit BatchSession(const std::string& input);
  /// Disconnects the add-in.
  ~BatchSession();
  BatchSession(const BatchSession&) = delete;
  BatchSession& operator=(const BatchSession&) = delete;

  /// The scripted user: scripts for the dialogs and answers for the messages go here.
  ui::script::Backend& user() { return user_; }
  /// The host application.
  host::Application& application() { return app_; }
  /// The document.
  host::Document& document() { return *doc_; }
  /// Clicks the add-in's button with this tag on its Tools menu popup.
  void click(const std::string& tag);
  /// Calls watcher with each message once it is answered, while the add-in still waits for
  /// the answer (after it is echoed).
  void watch(std::function<void(const ui::Message&)> watcher) { watchers_.push_back(std::move(watcher)); }
  /// Every message shown so far, with the answer given.
  const std::vector<ui::Message>& messages() const { return user_.Messages(); }
  /// True when a message with this title was shown.
  bool shown(const std::string& title) const;
  /// True when the add-in reported a failure with its common error message ("Error: " and
  /// a number).
  bool errorShown() const;
  /// Saves the document to output in one step (a temporary file renamed over it), output
  /// being another file or, in place, the input itself; BatchFailure with kExitBadInput when
  /// output cannot be written.
  void saveAs(const std::string& output);

 private:
  ui::script::Backend user_;
  host::Application app_;
  host::Document* doc_ = nullptr;
  host::ComponentRegistry registry_;
  std::unique_ptr<host::ConnectedAddIns> addIns_;
  std::vector<std::function<void(const ui::Message&)>> watchers_;
};

}  // namespace app
