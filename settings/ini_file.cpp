#include "settings/ini_file.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "host/platform/files.h"
#include "settings/ini_text.h"
#include "settings/locations.h"

namespace settings {
namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

// Settings of a session without a configuration folder; nullopt until the first write,
// as an absent file.
std::optional<std::string>& MemoryFile() {
  static std::optional<std::string> text;
  return text;
}

enum class Read { Absent, Unusable, Ok };

Read ReadFile(const std::string& path, std::string& text) {
  host::ReadFailure failure{};
  std::optional<std::string> content = host::ReadWholeFile(path, &failure, kMaxFileSize);
  if (!content) return failure.kind == host::ReadFailure::kMissing ? Read::Absent : Read::Unusable;
  text = std::move(*content);
  return Read::Ok;
}

}  // namespace

std::optional<std::string> ReadIniAt(const std::string& path, const std::string& section, const std::string& key) {
  std::string text;
  const Read read = ReadFile(path, text);
  if (read == Read::Absent) return std::nullopt;
  if (read == Read::Unusable) return "";
  return IniLookup(text, section, key).value_or("");
}

bool WriteIniAt(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
  std::string text;
  if (ReadFile(path, text) == Read::Unusable) return false;  // never replace what cannot be kept
  const std::optional<std::string> updated = IniUpdate(text, section, key, value);
  if (!updated) return false;
  return !host::ReplaceFile(path, *updated);
}

std::string fncReadIni(const std::string& section, const std::string& key) {
  if (SettingsInMemory()) {
    if (!MemoryFile()) return "Null";
    return IniLookup(*MemoryFile(), section, key).value_or("");
  }
  const std::string& path = Location().strIniPath();
  if (path.empty()) return "Null";
  return ReadIniAt(path, section, key).value_or("Null");
}

int fncWriteIni(const std::string& section, const std::string& key, const std::string& value) {
  if (SettingsInMemory()) {
    const std::optional<std::string> updated = IniUpdate(MemoryFile().value_or(""), section, key, value);
    if (!updated) return 0;
    MemoryFile() = updated;
    return 1;
  }
  const std::string& path = Location().strIniPath();
  if (path.empty()) return 0;
  return WriteIniAt(path, section, key, value) ? 1 : 0;
}

}  // namespace settings
