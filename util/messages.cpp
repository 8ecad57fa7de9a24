#include "util/messages.h"

#include <stdexcept>

#include "host/platform/error.h"
#include "ui/message_box.h"

namespace util {

void ShowErrMsg(const std::string& context, long number, const std::string& description) {
  ui::MsgBox("Error: " + std::to_string(number) + " " + description, ui::vbOKOnly, context);
}

void ShowErrMsg(const std::string& context, const std::exception& error) {
  if (const auto* hostError = dynamic_cast<const host::Error*>(&error))
    ShowErrMsg(context, hostError->number(), hostError->description());
  else if (dynamic_cast<const std::out_of_range*>(&error))
    ShowErrMsg(context, host::kErrSubscript, "Subscript out of range");
  else ShowErrMsg(context, host::kErrBadArgument, error.what());
}

void ShowWarningMsg(const std::string& prompt, const std::string& title) {
  ui::MsgBox(prompt, ui::vbOKOnly + ui::vbExclamation, title);
}

}  // namespace util
