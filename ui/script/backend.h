#pragma once
// The scripted backend: no windows. A test or the command line plays the user: it says
// what to do when a form is shown modally and how each message box and file chooser is
// answered. Everything shown is recorded so that it can be checked.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/message_box.h"

namespace ui::script {

/// A script that does not fit what the program showed: an unexpected message box or
/// form, an answer the box does not offer, an action on a control the user cannot reach.
class ScriptError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

/// What happens to a message box, form or file chooser nobody scripted.
enum class Unscripted {
  Fail,     // throw ScriptError (tests)
  Default,  // press the default button, close the form by its close box, cancel the chooser
};

/// Plays the user without any window.
class Backend : public ui::Backend {
 public:
  /// Becomes the active backend.
  explicit Backend(Unscripted policy = Unscripted::Fail);

  /// Runs script each time the form of that class name is shown modally. The script acts
  /// on the form (see ui/script/user.h) and normally ends it by pressing a button that
  /// hides it; a form left open is closed by its close box, or is an error without one.
  void OnModal(const std::string& formName, std::function<void(Form&)> script);
  /// Like OnModal, for the next showing only; used before the OnModal script.
  void OnModalOnce(const std::string& formName, std::function<void(Form&)> script);
  /// Answers every message box whose title is key, or whose text contains key.
  void Answer(const std::string& key, int result);
  /// Answers the next such message box only; used before the Answer rules.
  void AnswerOnce(const std::string& key, int result);
  /// Answers the message boxes that no Answer rule fits, before the unscripted policy
  /// applies; the answer must be a button of the box.
  void AnswerOthers(std::function<int(const Message&)> answer) { others_ = std::move(answer); }
  /// Queues the path the next file chooser returns ("" cancels it).
  void AnswerFile(const std::string& path);
  /// Called with each message box once answered (for echoing them in batch use).
  void OnMessage(std::function<void(const Message&)> observer) { observer_ = std::move(observer); }

  /// Every message box shown, with the answer given.
  const std::vector<Message>& Messages() const { return messages_; }
  /// Every file chooser shown.
  const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
  /// Every file or address handed to the desktop.
  const std::vector<std::string>& Opened() const { return opened_; }
  /// Forgets what was recorded.
  void ClearRecords();

  std::unique_ptr<FormView> CreateView(Form& form) override;
  int ShowMessage(Message& message) override;
  std::string ChooseFile(const FileRequest& request) override;
  void OpenExternal(const std::string& target) override;

  /// Width of text in the scripted "font": 8 pixels a character.
  static int TextWidth(const std::string& text);

 private:
  struct Rule {
    std::string key;
    int result;
  };
  class View;
  void RunModal(Form& form);
  static int FindRule(const std::deque<Rule>& rules, const Message& message);

  Unscripted policy_;
  std::map<std::string, std::deque<std::function<void(Form&)>>> onceScripts_;
  std::map<std::string, std::function<void(Form&)>> scripts_;
  std::deque<Rule> onceAnswers_;
  std::deque<Rule> answers_;
  std::deque<std::string> files_;
  std::function<int(const Message&)> others_;
  std::function<void(const Message&)> observer_;
  std::vector<Message> messages_;
  std::vector<FileRequest> fileRequests_;
  std::vector<std::string> opened_;
};

}  // namespace ui::script
