#include "app/batch_jobs.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <string_view>

#include "app/batch_failure.h"
#include "app/exit_codes.h"

namespace app {
namespace {

// A file in memory that a child writes into and the parent reads once the child has ended.
class MemoryFile {
 public:
  explicit MemoryFile(const char* name) : fd_(::memfd_create(name, MFD_CLOEXEC)) {
    if (fd_ < 0) throw BatchFailure{kExitInternal, "cannot keep the output of a run in memory"};
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  int fd() const { return fd_; }
  std::string content() const {
    std::string out;
    char buffer[8192];
    for (off_t at = 0;;) {
      const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      out.append(buffer, static_cast<std::size_t>(n));
      at += n;
    }
    return out;
  }

 private:
  int fd_;
};

struct Running {
  std::size_t index;
  std::unique_ptr<MemoryFile> out, err;
};

std::string programPath() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (n <= 0) throw BatchFailure{kExitInternal, "cannot find the program itself to run it again"};
  path.resize(static_cast<std::size_t>(n));
  return path;
}

pid_t start(const std::string& program, const std::vector<std::string>& arguments, const Running& run) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) throw BatchFailure{kExitInternal, "cannot start another run of the program"};
  if (pid == 0) {
    const int none = ::open("/dev/null", O_RDONLY);
    if (none >= 0) ::dup2(none, STDIN_FILENO);
    ::dup2(run.out->fd(), STDOUT_FILENO);
    ::dup2(run.err->fd(), STDERR_FILENO);
    ::execv(program.c_str(), argv.data());
    ::_exit(kExitInternal);
  }
  return pid;
}

}  // namespace

void runJobs(const std::vector<std::vector<std::string>>& argumentLists, int jobs,
             const std::function<void(std::size_t, const JobResult&)>& finished) {
  const std::string program = programPath();
  std::map<pid_t, Running> running;
  std::size_t next = 0;
  while (next < argumentLists.size() || !running.empty()) {
    while (next < argumentLists.size() && static_cast<int>(running.size()) < std::max(jobs, 1)) {
      Running run{next, std::make_unique<MemoryFile>("out"), std::make_unique<MemoryFile>("err")};
      const pid_t pid = start(program, argumentLists[next], run);
      running.emplace(pid, std::move(run));
      ++next;
    }
    int status = 0;
    const pid_t pid = ::waitpid(-1, &status, 0);
    if (pid < 0) {
      if (errno == EINTR) continue;
      throw BatchFailure{kExitInternal, "lost track of the runs started"};
    }
    auto it = running.find(pid);
    if (it == running.end()) continue;
    JobResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : kExitInternal;
    result.output = it->second.out->content();
    result.errors = it->second.err->content();
    const std::size_t index = it->second.index;
    running.erase(it);
    finished(index, result);
  }
}

std::string failureMessage(const JobResult& result, const std::string& input) {
  constexpr std::string_view kPrefix = "vellandex: ";
  std::string message;
  std::size_t from = 0;
  while (from < result.errors.size()) {
    std::size_t end = result.errors.find('\n', from);
    if (end == std::string::npos) end = result.errors.size();
    std::string_view line(result.errors.data() + from, end - from);
    if (line.starts_with(kPrefix)) message = std::string(line.substr(kPrefix.size()));
    from = end + 1;
  }
  if (message.starts_with(input + ": ")) message.erase(0, input.size() + 2);
  return message;
}

}  // namespace app
