#pragma once
// Collects the warnings library code gives while a test runs, in place of the program's sink.

#include <string>
#include <utility>

#include "host/platform/warnings.h"

namespace host::testing {

/// Installs a sink that keeps every warning until the guard goes, then puts the old one back.
class CapturedWarnings {
 public:
  CapturedWarnings() : previous_(SetWarningSink([this](const std::string& line) { text_ += line + "\n"; })) {}
  ~CapturedWarnings() { SetWarningSink(std::move(previous_)); }
  CapturedWarnings(const CapturedWarnings&) = delete;
  CapturedWarnings& operator=(const CapturedWarnings&) = delete;
  /// Every warning so far, each on a line of its own, as the program prints them.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  WarningSink previous_;
};

}  // namespace host::testing
