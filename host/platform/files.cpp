#include "host/platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "host/platform/error.h"

namespace host {

namespace {

bool writeAll(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file a path names, through a symbolic link: replacing the link would cut it.
std::filesystem::path resolved(const std::filesystem::path& file) {
  char* real = ::realpath(file.c_str(), nullptr);
  if (!real) return file;
  std::filesystem::path out = real;
  std::free(real);
  return out;
}

// A new empty file beside target that no one else has; -1 with errno set when none can be made.
int openTemporary(const std::filesystem::path& folder, const std::filesystem::path& target, std::string& temp) {
  std::random_device entropy;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    std::string name = ".";  // appended piece by piece: GCC 12 warns falsely on "." + string at -O2
    name += target.filename().string().substr(0, 100);
    name += ".";
    name += std::to_string(entropy());
    name += ".tmp";
    temp = (folder / name).string();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // umask applies
    if (fd < 0 && errno != EEXIST) break;
  }
  return fd;
}

// The content of an open file, or nothing and why in failure.
std::optional<std::string> readOpenFile(int fd, std::uintmax_t maxSize, ReadFailure& failure) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) failure = {ReadFailure::kUnreadable, errno};
  else if (S_ISDIR(info.st_mode)) failure = {ReadFailure::kFolder, 0};
  else if (!S_ISREG(info.st_mode)) failure = {ReadFailure::kNotAFile, 0};
  else if (static_cast<std::uintmax_t>(info.st_size) > maxSize) failure = {ReadFailure::kTooLarge, 0};
  else {
    std::string out;
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        failure = {ReadFailure::kUnreadable, errno};
        break;
      }
      if (n == 0) return out;
      out.append(buffer, static_cast<std::size_t>(n));
      if (out.size() > maxSize) {  // it grew while it was read
        failure = {ReadFailure::kTooLarge, 0};
        break;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::string WriteFailure::reason() const {
  const std::string where = "the folder \"" + folder.string() + "\"";
  if (step == kFolder && (error == ENOENT || error == ENOTDIR)) return where + " does not exist.";
  if (step == kTemporary && (error == EACCES || error == EROFS || error == EPERM)) return where + " is read-only.";
  if (step == kTarget && error == EACCES) return "the file is read-only.";
  if (error == EISDIR) return "a folder of that name is in the way.";
  return std::string(std::strerror(error)) + ".";
}

std::optional<WriteFailure> ReplaceFile(const std::filesystem::path& file, std::string_view content,
                                        MissingFolder missing) {
  const std::filesystem::path target = resolved(file);
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  const auto failed = [&](WriteFailure::Step step, int error) { return WriteFailure{step, error, folder}; };
  struct stat info {};
  if (missing == MissingFolder::kCreate) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return failed(WriteFailure::kFolder, ec.value());
  } else if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return failed(WriteFailure::kFolder, ENOENT);
  }
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) return failed(WriteFailure::kTarget, EISDIR);
  if (exists && ::access(target.c_str(), W_OK) != 0) return failed(WriteFailure::kTarget, EACCES);

  std::string temp;
  const int fd = openTemporary(folder, target, temp);
  if (fd < 0) return failed(WriteFailure::kTemporary, errno);
  bool ok = writeAll(fd, content) && (!exists || ::fchmod(fd, info.st_mode & 07777) == 0) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  WriteFailure::Step step = WriteFailure::kContent;
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
    step = WriteFailure::kRename;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return failed(step, error);
  }
  // Make the rename itself durable; failing to is no reason to report the write as failed.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

void WriteFileAtomically(const std::filesystem::path& file, const std::string& content) {
  if (std::optional<WriteFailure> failure = ReplaceFile(file, content, MissingFolder::kCreate))
    throw Error(kErrFileAccess, "Cannot write " + file.string() + ": " + failure->reason());
}

std::string ReadFailure::reason() const {
  switch (kind) {
    case kMissing: return "the file does not exist.";
    case kFolder: return "it is a folder, not a file.";
    case kNotAFile: return "it is not a regular file.";
    case kTooLarge: return "the file is too large.";
    case kUnreadable: break;
  }
  return "the file cannot be read (" + std::string(std::strerror(error)) + ").";
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, ReadFailure* failure,
                                         std::uintmax_t maxSize) {
  ReadFailure why{ReadFailure::kUnreadable, 0};
  std::optional<std::string> content;
  // Not blocking: a pipe opened for reading would wait for a writer before fstat could refuse it.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    why = {errno == ENOENT || errno == ENOTDIR ? ReadFailure::kMissing : ReadFailure::kUnreadable, errno};
  } else {
    content = readOpenFile(fd, maxSize, why);
    ::close(fd);
  }
  if (!content && failure) *failure = why;
  return content;
}

}  // namespace host
