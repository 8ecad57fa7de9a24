#include "addin/count_process.h"

#include <algorithm>
#include <optional>
#include <string>

#include "host/platform/files.h"
#include "host/shell/application.h"

namespace addin {

namespace {

bool runsDesktopHost(const std::filesystem::path& process) {
  const std::optional<std::string> comm = host::ReadWholeFile(process / "comm");
  return comm && comm->substr(0, comm->find('\n')) == host::kHostProcessName;
}

}  // namespace

long CountWordProcesses() { return runsDesktopHost("/proc/self") ? CountHostProcesses("/proc") : 1; }

long CountHostProcesses(const std::filesystem::path& processFolder) {
  long count = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(processFolder, error)) {
    const std::string id = entry.path().filename().string();
    if (id.empty() || !std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isdigit(c); })) continue;
    if (runsDesktopHost(entry.path())) ++count;
  }
  return count;
}

}  // namespace addin
