// The field-code parser: any code is split and read as an INDEX and as an XE field.
#include <cstdint>
#include <string>

#include "host/parse/field_code.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string code(reinterpret_cast<const char*>(data), size);
  host::tokenizeFieldCode(code, "bcdefghklps");
  host::parseIndexCode(code);
  if (auto entry = host::parseEntryCode(code); entry && entry->identifier)
    host::sameIndexIdentifier(*entry->identifier, code);
  return 0;
}
