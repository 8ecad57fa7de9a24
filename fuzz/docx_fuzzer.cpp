// The .docx loader, zip and XML together: open the bytes as a document, walk every story,
// save to memory and open what was saved. A refusal is a host::Error; a saved document that
// cannot be opened again, or any crash, is a finding.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/document.h"
#include "host/dump.h"
#include "host/error.h"
#include "host/package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string saved;
  try {
    auto doc = host::Document::FromBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.docx");
    host::dumpDocument(*doc);
    // The main part is written again, so that the writer runs over all of it.
    doc->package().markDirty(doc->package().mainPartName());
    saved = doc->package().toBytes();
  } catch (const host::Error&) {
    return 0;
  }
  host::Document::FromBytes(saved, "saved.docx");  // throws, and so aborts, if what we wrote does not open
  return 0;
}
