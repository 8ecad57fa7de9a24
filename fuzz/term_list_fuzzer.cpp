// The term list file's reader: any bytes are decoded and split into terms; terms written
// by the writer must be read back as they were.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialogs/term_list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> terms = dialogs::ReadTermFields(dialogs::DecodeTermList(bytes));
  if (dialogs::ReadTermFields(dialogs::DecodeTermList(dialogs::WriteTermList(terms))) != terms) std::abort();
  return 0;
}
