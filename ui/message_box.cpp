#include "ui/message_box.h"

#include <algorithm>
#include <cctype>
#include <utility>

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

std::optional<int> ResultFromName(std::string_view name) {
  static constexpr std::pair<std::string_view, int> kNames[] = {
      {"ok", vbOK},         {"cancel", vbCancel}, {"abort", vbAbort}, {"retry", vbRetry},
      {"ignore", vbIgnore}, {"yes", vbYes},       {"no", vbNo}};
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& [text, result] : kNames)
    if (text == lower) return result;
  return std::nullopt;
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
  Message message{title.empty() ? kAppTitle : title, prompt, style, 0};
  return ActiveBackend().ShowMessage(message);
}

}  // namespace ui
