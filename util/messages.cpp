#include "util/messages.h"

#include "ui/message_box.h"

namespace util {

void ShowErrMsg(const std::string& context, long number, const std::string& description) {
  ui::MsgBox("Error: " + std::to_string(number) + " " + description, ui::vbOKOnly, context);
}

void ShowWarningMsg(const std::string& prompt, const std::string& title) {
  ui::MsgBox(prompt, ui::vbOKOnly + ui::vbExclamation, title);
}

}  // namespace util
