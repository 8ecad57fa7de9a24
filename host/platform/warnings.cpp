#include "host/platform/warnings.h"

#include <mutex>
#include <utility>

namespace host {

namespace {

std::mutex sinkLock;

WarningSink& installed() {
  static WarningSink sink;
  return sink;
}

}  // namespace

WarningSink SetWarningSink(WarningSink sink) {
  std::lock_guard<std::mutex> hold(sinkLock);
  return std::exchange(installed(), std::move(sink));
}

void Warn(const std::string& line) {
  std::lock_guard<std::mutex> hold(sinkLock);
  if (installed()) installed()(line);
}

void WarnSettings(const std::string& message) { Warn("vellandex-host: warning: " + message); }

}  // namespace host
