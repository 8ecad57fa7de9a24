#pragma once
// What a call to the model fails with, for tests of its errors.

#include <functional>

#include "host/platform/error.h"

namespace host::testing {

/// The number of the host::Error the call throws; 0 when it throws none.
inline long errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace host::testing
