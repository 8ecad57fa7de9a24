#pragma once
// The check that a document saved unchanged is the one that was read: the round trips over the
// corpus make it of every file.

#include <string>

#include <gtest/gtest.h>

#include "host/package/package.h"

namespace host::testing {

/// Expects `actual` to hold the parts of `expected`, in the same order, each with the same bytes
/// (a difference names the part rather than printing both).
inline void expectSameParts(const Package& expected, const Package& actual) {
  ASSERT_EQ(actual.partNames(), expected.partNames()) << "the list of parts changed";
  for (const std::string& part : expected.partNames())
    EXPECT_TRUE(actual.bytes(part) == expected.bytes(part)) << part << " changed";
}

}  // namespace host::testing
