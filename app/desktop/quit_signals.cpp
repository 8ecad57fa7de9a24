#include "app/desktop/quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QSocketNotifier>

#include "host/platform/error.h"

namespace app::desktop {
namespace {

volatile sig_atomic_t writeEnd = -1;

extern "C" void wakeEventLoop(int) {
  const int saved = errno;
  const char byte = 1;
  if (writeEnd >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
  }
  errno = saved;
}

void handle(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

QuitOnSignals::QuitOnSignals(std::function<void()> quit) : quit_(std::move(quit)) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
    throw host::Error(host::kErrFileAccess,
                      std::string("The signal pipe cannot be made: ") + std::strerror(errno) + ".");
  writeEnd = pipe_[1];
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    quit_();
  });
  handle(SIGINT, wakeEventLoop);
  handle(SIGTERM, wakeEventLoop);
}

QuitOnSignals::~QuitOnSignals() {
  handle(SIGINT, SIG_DFL);
  handle(SIGTERM, SIG_DFL);
  writeEnd = -1;
  notifier_.reset();
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

}  // namespace app::desktop
