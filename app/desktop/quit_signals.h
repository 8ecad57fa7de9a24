#pragma once
// Interrupting or terminating the desktop host (Ctrl+C in its terminal, the session ending)
// ends it as closing its window does, so that the add-ins are disconnected and keep their
// state: the signal only wakes the event loop, which then calls the quit callback.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace app::desktop {

/// While it lives, SIGINT and SIGTERM call `quit` from the event loop.
class QuitOnSignals {
 public:
  /// Catches the signals; host::Error when the wake-up pipe cannot be made.
  explicit QuitOnSignals(std::function<void()> quit);
  /// Gives the signals their default handling back.
  ~QuitOnSignals();
  QuitOnSignals(const QuitOnSignals&) = delete;
  QuitOnSignals& operator=(const QuitOnSignals&) = delete;

 private:
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> quit_;
};

}  // namespace app::desktop
