#include "ui/console_progress.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace ui {
namespace {

struct Console {
  ConsoleMode mode = ConsoleMode::Off;
  std::ostream* out = &std::cerr;
  bool terminal = false;
  bool lineOpen = false;
  std::string last;
};

Console& State() {
  static Console console;
  return console;
}

bool Enabled(const Console& console) {
  return console.mode == ConsoleMode::Always || (console.mode == ConsoleMode::Auto && console.terminal);
}

// done / total rounded to the nearest integer, halves to the even neighbour, without
// floating point; total > 0.
long long RoundHalfEven(long long done, long long total) {
  long long quotient = done / total, remainder = done % total;
  if (remainder < 0) remainder += total, --quotient;
  if (2 * remainder > total || (2 * remainder == total && quotient % 2 != 0)) ++quotient;
  return quotient;
}

// At most count characters of UTF-8 text.
std::string Cut(const std::string& text, std::size_t count) {
  for (std::size_t i = 0, seen = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (seen++ == count) return text.substr(0, i);
  }
  return text;
}

constexpr int kBarCells = 20;
constexpr std::size_t kLineWidth = 79;

}  // namespace

long PercentDone(long done, long total) {
  if (total == 0) return 0;
  if (total < 0) done = -done, total = -total;
  return static_cast<long>(RoundHalfEven(100LL * done, total));
}

int BarWidth(long done, long total, int full) {
  if (total == 0) return 0;
  if (total < 0) done = -done, total = -total;
  return static_cast<int>(std::clamp<long long>(RoundHalfEven(static_cast<long long>(done) * full, total), 0, full));
}

void SetConsoleProgress(ConsoleMode mode, std::ostream* out, std::optional<bool> terminal) {
  EndConsoleProgress();
  Console& console = State();
  console.mode = mode;
  console.out = out ? out : &std::cerr;
  console.terminal = terminal.value_or(isatty(STDERR_FILENO) == 1);
}

void ShowConsoleProgress(const std::string& line1, const std::string& line2, const std::string& line3, long done,
                         long total) {
  Console& console = State();
  if (!Enabled(console)) return;
  const std::string& step = !line2.empty() ? line2 : !line1.empty() ? line1 : line3;
  std::string text;
  if (total > 0) {
    const int cells = BarWidth(done, total, kBarCells);
    const std::string percent = std::to_string(PercentDone(done, total)) + "%";
    text += '[';
    text.append(static_cast<std::size_t>(cells), '#');
    text.append(static_cast<std::size_t>(kBarCells - cells), '-');
    text += "] ";
    text.append(4 - std::min<std::size_t>(4, percent.size()), ' ');
    text += percent;
    text += ' ';
  }
  text = Cut(text + step, kLineWidth);
  if (text == console.last) return;
  console.last = text;
  if (console.terminal) {
    *console.out << '\r' << text << "\x1b[K" << std::flush;
    console.lineOpen = true;
  } else {
    *console.out << text << '\n' << std::flush;
  }
}

void EndConsoleProgress() {
  Console& console = State();
  if (console.lineOpen) *console.out << "\r\x1b[K" << std::flush;
  console.lineOpen = false;
  console.last.clear();
}

}  // namespace ui
