// The .docx loader, zip and XML together: open the bytes as a document, walk every story,
// save to memory and open what was saved. A refusal is a host::Error; a saved document that
// cannot be opened again, or any crash, is a finding.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/dump/dump.h"
#include "host/model/document.h"
#include "host/package/package.h"
#include "host/platform/error.h"

namespace {

std::uint32_t crc32(std::string_view data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::uint32_t get(const std::string& in, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
  return value;
}

void put32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Stored entries carry a CRC-32 in their local and central headers; a mutated part would fail
// it and never reach the XML parser, so the CRCs are made right before the bytes are opened.
void fixStoredCrcs(std::string& zip) {
  const std::string local("PK\x03\x04", 4), central("PK\x01\x02", 4);
  for (std::size_t at = zip.find(local); at != std::string::npos && at + 30 <= zip.size();
       at = zip.find(local, at + 4)) {
    const std::size_t start = at + 30 + get(zip, at + 26, 2) + get(zip, at + 28, 2);
    const std::size_t size = get(zip, at + 18, 4);
    if (get(zip, at + 8, 2) != 0 || start > zip.size() || size > zip.size() - start) continue;
    const std::uint32_t crc = crc32(std::string_view(zip).substr(start, size));
    put32(zip, at + 14, crc);
    for (std::size_t c = zip.find(central); c != std::string::npos && c + 46 <= zip.size();
         c = zip.find(central, c + 4))
      if (get(zip, c + 42, 4) == at) put32(zip, c + 16, crc);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  fixStoredCrcs(bytes);
  std::string saved;
  try {
    auto doc = host::Document::FromBytes(bytes, "fuzz.docx");
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
