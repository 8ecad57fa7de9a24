#pragma once
// A batch session: the host application with one document, the add-in connected as the desktop
// host connects it, and the scripted user answering its dialogs and messages. Commands run by
// clicking the add-in's own menu buttons, so a batch run takes the road a user's click takes.
// Every message shown is echoed on standard error.

#include <memory>
#include <string>
#include <vector>

#include "host/addin_connection.h"
#include "host/application.h"
#include "host/registry.h"
#include "ui/script/backend.h"

namespace app {

/// The failure of a batch command, with the exit code it ends the program with.
struct BatchFailure {
  int exitCode;
  std::string message;
};

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
  /// True when a message with this title was shown.
  bool shown(const std::string& title) const;
  /// Saves the document to output in one step (the input is never written); BatchFailure with
  /// kExitBadInput when output cannot be written.
  void saveAs(const std::string& output);

 private:
  ui::script::Backend user_;
  host::Application app_;
  host::Document* doc_ = nullptr;
  host::ComponentRegistry registry_;
  std::unique_ptr<host::ConnectedAddIns> addIns_;
};

}  // namespace app
