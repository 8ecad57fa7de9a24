#include "host/shell/options_store.h"

#include <string>

#include <nlohmann/json.hpp>

#include "host/platform/files.h"
#include "host/platform/warnings.h"

namespace host {

namespace {

using nlohmann::json;

// Highlight colours run from none (0) to 25% grey (16).
constexpr int kLastHighlightColor = 16;

void readBool(const json& j, const char* key, bool& into, const std::filesystem::path& file) {
  auto it = j.find(key);
  if (it == j.end()) return;
  if (it->is_boolean()) into = it->get<bool>();
  else WarnSettings(file.string() + ": " + key + " is not true or false; its default is used.");
}

}  // namespace

Options LoadOptions(const std::filesystem::path& file) {
  Options options;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return options;
  std::optional<std::string> text = ReadWholeFile(file);
  if (!text) {
    WarnSettings(file.string() + " cannot be read; the default options are used.");
    return options;
  }
  json j = json::parse(*text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    WarnSettings(file.string() + " is not a valid options file; the default options are used.");
    return options;
  }
  readBool(j, "AutoFormatAsYouTypeReplaceQuotes", options.AutoFormatAsYouTypeReplaceQuotes, file);
  options.ReplaceQuotesChosen = j.contains("AutoFormatAsYouTypeReplaceQuotes");
  readBool(j, "Pagination", options.Pagination, file);
  readBool(j, "AllowFastSave", options.AllowFastSave, file);
  readBool(j, "CheckSpellingAsYouType", options.CheckSpellingAsYouType, file);
  readBool(j, "CheckGrammarAsYouType", options.CheckGrammarAsYouType, file);
  if (auto it = j.find("DefaultHighlightColorIndex"); it != j.end()) {
    if (it->is_number_integer() && it->get<long long>() >= 0 && it->get<long long>() <= kLastHighlightColor)
      options.DefaultHighlightColorIndex = it->get<int>();
    else WarnSettings(file.string() + ": DefaultHighlightColorIndex is not a highlight colour; its default is used.");
  }
  return options;
}

void SaveOptions(const std::filesystem::path& file, const Options& options) {
  json j = {
      {"Pagination", options.Pagination},
      {"DefaultHighlightColorIndex", options.DefaultHighlightColorIndex},
      {"AllowFastSave", options.AllowFastSave},
      {"CheckSpellingAsYouType", options.CheckSpellingAsYouType},
      {"CheckGrammarAsYouType", options.CheckGrammarAsYouType},
  };
  if (options.ReplaceQuotesChosen) j["AutoFormatAsYouTypeReplaceQuotes"] = options.AutoFormatAsYouTypeReplaceQuotes;
  WriteFileAtomically(file, j.dump(2) + "\n");
}

}  // namespace host
