// The find's pattern compiler and matcher: the input's first line is the find text, the rest
// the text searched, forwards and backwards, with wildcards and without.
#include <cstdint>
#include <string>

#include "host/parse/pattern.h"
#include "host/platform/error.h"
#include "host/text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t line = input.find('\n');
  const host::Text find = host::toText(input.substr(0, line));
  const host::Text text = line == std::string::npos ? host::Text() : host::toText(input.substr(line + 1));
  for (bool wildcards : {true, false}) {
    try {
      const host::Pattern pattern(find, wildcards, size % 2 == 0);
      pattern.search(text, 0, text.size(), size % 3 == 0);
      pattern.searchBackward(text, 0, text.size(), size % 3 == 1);
    } catch (const host::Error&) {
      // A malformed wildcard pattern is refused with a description.
    }
  }
  return 0;
}
