#pragma once
// The private-profile (ini) rules on text held in memory: section lines "[name]", key lines
// "name=value", names matched regardless of case. Updating changes one line and keeps the
// rest of the text (order, other sections, comments, line endings) as it was.

#include <optional>
#include <string>
#include <string_view>

namespace settings {

/// The longest value a reader gets, in characters; longer values are cut.
inline constexpr std::size_t kMaxValueLength = 254;

/// The value of key in section: spaces around it removed, then one pair of surrounding
/// double quotes, then cut to kMaxValueLength characters. nullopt when the key is missing.
/// The first matching section and key win.
std::optional<std::string> IniLookup(std::string_view text, std::string_view section, std::string_view key);

/// The text with key set to value in section: an existing key line is rewritten in place,
/// a new key goes after the section's last line, a new section at the end. nullopt when a
/// name or the value could not be written as one line (empty names, "=" in a key, "]" in
/// a section, line breaks or NUL anywhere).
std::optional<std::string> IniUpdate(std::string_view text, std::string_view section, std::string_view key,
                                     std::string_view value);

}  // namespace settings
