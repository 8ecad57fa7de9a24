#pragma once
// Keeps the application's options per user between runs: a small JSON file of the host's own.

#include <filesystem>

#include "host/model/options.h"

namespace host {

/// The options file's name inside the host's settings folder.
inline constexpr const char* kOptionsFileName = "options.json";

/// Reads options from a file. A missing file gives the defaults; a file that cannot be read
/// or parsed gives the defaults and a warning; a value of the wrong kind or out of range keeps
/// that option's default and warns.
Options LoadOptions(const std::filesystem::path& file);

/// Writes the options to a file at once; host::Error 5273 when it cannot be written.
void SaveOptions(const std::filesystem::path& file, const Options& options);

}  // namespace host
