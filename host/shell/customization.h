#pragma once
// The customization context: where the command bars' kept (not temporary) controls are stored
// between runs of the host, in a JSON file of the host's own.

#include <filesystem>
#include <optional>

#include "host/shell/command_bars.h"

namespace host {

/// The customization file's name inside the host's settings folder.
inline constexpr const char* kCustomizationFileName = "customization.json";

/// Stores the kept controls of an application's command bars.
class CustomizationContext {
 public:
  /// Stores in file; without one (batch use, tests) nothing is read or written.
  CustomizationContext(CommandBars& bars, std::optional<std::filesystem::path> file)
      : bars_(bars), file_(std::move(file)) {}

  /// Adds the controls the file keeps to the bars and marks them saved. A missing file adds
  /// nothing; a file that cannot be read or understood adds nothing and warns.
  void Load();
  /// Writes the kept controls to the file; Saved becomes true. host::Error 5273 when the file
  /// cannot be written.
  void Save();
  /// True when no kept control changed since the last Save or Load (or since Saved was set).
  bool Saved() const { return !bars_.unsavedChanges(); }
  /// Marks the customization saved or changed without writing anything.
  void SetSaved(bool saved) { bars_.setUnsavedChanges(!saved); }
  /// The file it is stored in, if any.
  const std::optional<std::filesystem::path>& file() const { return file_; }

 private:
  CommandBars& bars_;
  std::optional<std::filesystem::path> file_;
};

}  // namespace host
