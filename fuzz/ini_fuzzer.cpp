// The settings file's reader and updater: the input is the file; a key is read, written and
// read back, and a value written must come back as it was given.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  settings::IniLookup(text, "Options", "SearchType");
  if (auto updated = settings::IniUpdate(text, "Options", "SearchType", "caps")) {
    if (settings::IniLookup(*updated, "Options", "SearchType") != "caps") std::abort();
  }
  return 0;
}
