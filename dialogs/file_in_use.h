#pragma once
// Whether a file can be opened as its user needs it, before a term list is read or written.

#include <string>

namespace dialogs {

/// The access a caller needs to a file.
enum class FileAccess { Read, ReadWrite };

/// True when the file cannot be opened with that access: held, unreadable or read-only, or
/// no regular file at all (a folder, a device, a pipe). A missing file is not in use, and
/// the test never creates it.
bool fncFileInUse(const std::string& path, FileAccess access = FileAccess::ReadWrite);

}  // namespace dialogs
