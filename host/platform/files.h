#pragma once
// Whole files, read at once (with the reason when they cannot be) and replaced in one step: the new content goes to a
// temporary file beside the target, reaches the disk and is renamed over it, so that a crash or a full disk leaves the
// old file or the new one, never half of either, and no stray temporary file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace host {

/// Why a one-step replacement failed: the step, the system's error number, and the folder.
struct WriteFailure {
  enum Step { kFolder, kTarget, kTemporary, kContent, kRename };
  Step step;
  int error;
  /// The folder the file is (to be) in.
  std::filesystem::path folder;
  /// One sentence for the user ("the folder "/x" is read-only."), ending in a full stop.
  std::string reason() const;
};

/// Whether ReplaceFile makes the file's missing folders or fails without them.
enum class MissingFolder { kFail, kCreate };

/// Replaces a file's content in one step. A symbolic link is followed to the file it names; an
/// existing file keeps its permissions; a read-only file or a folder of that name is refused.
/// On failure the target is left as it was and the temporary file removed.
std::optional<WriteFailure> ReplaceFile(const std::filesystem::path& file, std::string_view content,
                                        MissingFolder missing = MissingFolder::kFail);

/// ReplaceFile, creating the folder when missing; host::Error 5273 when it cannot be written.
void WriteFileAtomically(const std::filesystem::path& file, const std::string& content);

/// Why a file's content could not be read.
struct ReadFailure {
  enum Kind { kMissing, kFolder, kNotAFile, kTooLarge, kUnreadable };
  Kind kind;
  /// The system's error number, where one applies.
  int error;
  /// One sentence for the user ("the file does not exist."), ending in a full stop.
  std::string reason() const;
};

/// No limit on the size of a file read.
inline constexpr std::uintmax_t kAnySize = UINTMAX_MAX;

/// A file's whole content, read through a symbolic link; none when it is missing, a folder or
/// another thing than a regular file (a pipe is never waited on), larger than maxSize, or
/// cannot be read: then *failure, when given, says which.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, ReadFailure* failure = nullptr,
                                         std::uintmax_t maxSize = kAnySize);

}  // namespace host
