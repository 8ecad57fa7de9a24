#include "dialogs/file_in_use.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace dialogs {

// Non-blocking, so that a pipe or device named by the user cannot stall the dialog.
bool fncFileInUse(const std::string& path, FileAccess access) {
  const int mode = access == FileAccess::Read ? O_RDONLY : O_RDWR;
  const int fd = ::open(path.c_str(), mode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return errno != ENOENT;
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ::close(fd);
  return !regular;
}

}  // namespace dialogs
