#pragma once
// The two standard message boxes of the add-in.

#include <string>

namespace util {

/// Shows "Error: " + number + " " + description with an OK button and no icon, titled
/// context (the application's title when context is empty).
void ShowErrMsg(const std::string& context, long number, const std::string& description);

/// Shows prompt with an exclamation icon and an OK button under title.
void ShowWarningMsg(const std::string& prompt, const std::string& title);

}  // namespace util
