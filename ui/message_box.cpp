#include "ui/message_box.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

std::vector<int> Message::Results() const {
  switch (Buttons()) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
  }
}

int Message::DefaultResult() const {
  const std::vector<int> results = Results();
  const auto position = std::min<std::size_t>((style >> 8) & 3, results.size() - 1);
  return results[position];
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
  Message message{title.empty() ? kAppTitle : title, prompt, style, 0};
  return ActiveBackend().ShowMessage(message);
}

}  // namespace ui
