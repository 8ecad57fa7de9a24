#pragma once
// Trimming of terms as the engine compares and writes them.

#include <string>

namespace engine {

/// The text without its leading and trailing spaces (other white space stays).
inline std::string trimSpaces(const std::string& s) {
  std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace engine
