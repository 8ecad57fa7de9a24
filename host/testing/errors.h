#pragma once
// What a call to the model fails with, for tests of its errors.

#include <functional>
#include <ostream>
#include <string>

#include "host/platform/error.h"

namespace host::testing {

/// The host::Error a call throws, its number and message; 0 and "" when it throws none.
struct Failure {
  long number = 0;
  std::string message;
  bool operator==(const Failure&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Failure& f) {
  return out << f.number << " \"" << f.message << '"';
}

inline Failure failureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return {e.number(), e.what()};
  }
  return {};
}

/// The number of the host::Error the call throws; 0 when it throws none.
inline long errorOf(const std::function<void()>& call) { return failureOf(call).number; }

}  // namespace host::testing
