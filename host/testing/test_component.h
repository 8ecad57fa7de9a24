#pragma once
// The interface of the tiny component library that the registry tests create by identifier.

#include <string>

namespace host::testing {

/// What the test component offers.
class Greeter {
 public:
  /// The interface's id, as the factory is asked for it.
  static constexpr const char* kInterfaceId = "host.testing.Greeter";
  virtual ~Greeter() = default;
  /// "Hello, " followed by the name.
  virtual std::string Greet(const std::string& name) const = 0;
};

/// An interface the test component does not offer.
class Unoffered {
 public:
  /// The interface's id.
  static constexpr const char* kInterfaceId = "host.testing.Unoffered";
  virtual ~Unoffered() = default;
};

}  // namespace host::testing
