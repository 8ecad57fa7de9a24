#include "ui/script/backend.h"

#include <algorithm>
#include <filesystem>

#include "ui/form.h"

namespace ui::script {

// A form without a window: a modal showing runs the form's script.
class Backend::View : public FormView {
 public:
  View(Backend& backend, Form& form) : backend_(backend), form_(form) {}
  void Show(bool) override {}
  void RunModal() override { backend_.RunModal(form_); }
  void Hide() override {}
  void Refresh() override {}
  void FormChanged() override {}
  void ControlChanged(Control&) override {}
  void Focus(Control&) override {}
  int TextWidth(const std::string& text) const override { return Backend::TextWidth(text); }

 private:
  Backend& backend_;
  Form& form_;
};

Backend::Backend(Unscripted policy) : policy_(policy) {}

void Backend::OnModal(const std::string& formName, std::function<void(Form&)> script) {
  scripts_[formName] = std::move(script);
}

void Backend::OnModalOnce(const std::string& formName, std::function<void(Form&)> script) {
  onceScripts_[formName].push_back(std::move(script));
}

void Backend::Answer(const std::string& key, int result) { answers_.push_back({key, result}); }

void Backend::AnswerOnce(const std::string& key, int result) { onceAnswers_.push_back({key, result}); }

void Backend::AnswerFile(const std::string& path) { files_.push_back(path); }

void Backend::ClearRecords() {
  messages_.clear();
  fileRequests_.clear();
  opened_.clear();
}

std::unique_ptr<FormView> Backend::CreateView(Form& form) { return std::make_unique<View>(*this, form); }

void Backend::RunModal(Form& form) {
  std::function<void(Form&)> script;
  auto once = onceScripts_.find(form.Name());
  if (once != onceScripts_.end() && !once->second.empty()) {
    script = std::move(once->second.front());
    once->second.pop_front();
  } else if (auto always = scripts_.find(form.Name()); always != scripts_.end()) {
    script = always->second;
  }
  if (script) {
    script(form);
  } else if (policy_ == Unscripted::Fail) {
    form.Hide();
    throw ScriptError("no script for the modal form " + form.Name());
  }
  if (!form.Visible() || (form.CloseFromTitleBar() && !form.Visible())) return;
  form.Hide();
  throw ScriptError("the modal form " + form.Name() + " is still open at the end of its script");
}

// A title that equals the key wins over a text that contains it; -1 when no rule fits.
int Backend::FindRule(const std::deque<Rule>& rules, const Message& message) {
  for (std::size_t i = 0; i < rules.size(); ++i)
    if (rules[i].key == message.title) return static_cast<int>(i);
  for (std::size_t i = 0; i < rules.size(); ++i)
    if (!rules[i].key.empty() && message.prompt.find(rules[i].key) != std::string::npos) return static_cast<int>(i);
  return -1;
}

int Backend::ShowMessage(Message& message) {
  const int once = FindRule(onceAnswers_, message);
  const int always = once < 0 ? FindRule(answers_, message) : -1;
  if (once >= 0 || always >= 0 || others_) {
    const int result = once >= 0     ? onceAnswers_[static_cast<std::size_t>(once)].result
                       : always >= 0 ? answers_[static_cast<std::size_t>(always)].result
                                     : others_(message);
    const std::vector<int> offered = message.Results();
    if (std::find(offered.begin(), offered.end(), result) == offered.end())
      throw ScriptError("the answer " + std::to_string(result) + " is not a button of the message box \"" +
                        message.title + "\": " + message.prompt);
    message.result = result;
    if (once >= 0) onceAnswers_.erase(onceAnswers_.begin() + once);
  } else if (policy_ == Unscripted::Fail) {
    messages_.push_back(message);
    throw ScriptError("unexpected message box \"" + message.title + "\": " + message.prompt);
  } else {
    message.result = message.DefaultResult();
  }
  messages_.push_back(message);
  if (observer_) observer_(message);
  return message.result;
}

std::string Backend::ChooseFile(const FileRequest& request) {
  namespace fs = std::filesystem;
  fileRequests_.push_back(request);
  for (;;) {
    if (files_.empty()) {
      if (policy_ == Unscripted::Fail) throw ScriptError("unexpected file chooser \"" + request.title + "\"");
      return {};
    }
    std::string path = std::move(files_.front());
    files_.pop_front();
    if (path.empty()) return path;
    if (!request.defaultExtension.empty() && fs::path(path).extension().empty()) path += "." + request.defaultExtension;
    std::error_code error;
    if (request.open || !request.confirmOverwrite || !fs::exists(path, error)) return path;
    // The save chooser's own question; No lets the user pick another name.
    Message question{request.title.empty() ? "Save As" : request.title,
                     fs::path(path).filename().string() + " already exists.\nDo you want to replace it?",
                     vbYesNo | vbExclamation, 0};
    if (ShowMessage(question) == vbYes) return path;
  }
}

void Backend::OpenExternal(const std::string& target) { opened_.push_back(target); }

int Backend::TextWidth(const std::string& text) {
  const auto characters = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
  return 8 * static_cast<int>(characters);
}

}  // namespace ui::script
