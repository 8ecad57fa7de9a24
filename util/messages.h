#pragma once
// The two standard message boxes of the add-in.

#include <exception>
#include <string>

namespace util {

/// Shows "Error: " + number + " " + description with an OK button and no icon, titled
/// context (the application's title when context is empty).
void ShowErrMsg(const std::string& context, long number, const std::string& description);

/// The common error message for a trapped failure: a host::Error shows its own number and
/// description; a list index out of range shows 9, any other failure 5 ("invalid call").
void ShowErrMsg(const std::string& context, const std::exception& error);

/// Shows prompt with an exclamation icon and an OK button under title.
void ShowWarningMsg(const std::string& prompt, const std::string& title);

}  // namespace util
