#pragma once
// Progress on standard error for batch use: a bar with the percentage when a total is
// known, the step text otherwise. On a terminal the line is redrawn in place; elsewhere
// each change is one line. Off unless the program asks for it. It lives with the forms runtime,
// which the program and the add-in it loads share, so that the program can switch it on.

#include <iosfwd>
#include <optional>
#include <string>

namespace ui {

/// When progress goes to the console.
enum class ConsoleMode {
  Off,     // never (the windows show progress)
  Auto,    // when standard error is a terminal
  Always,  // also into files and pipes
};

/// Turns console progress on or off. out defaults to standard error; terminal says whether
/// out is a terminal (by default: whether standard error is one).
void SetConsoleProgress(ConsoleMode mode, std::ostream* out = nullptr, std::optional<bool> terminal = std::nullopt);

/// Shows the progress of a step (line2, else line1, else line3) with a bar when total > 0.
void ShowConsoleProgress(const std::string& line1, const std::string& line2, const std::string& line3, long done,
                         long total);

/// Ends the progress line (clears it on a terminal).
void EndConsoleProgress();

/// The whole percent of done out of total: the fraction rounded to two decimals, halves to
/// even, times 100 (1 of 3 gives 33, 1 of 8 gives 12).
long PercentDone(long done, long total);

/// The filled width of a bar of full width: done / total of it, to the nearest pixel,
/// kept between 0 and full.
int BarWidth(long done, long total, int full);

}  // namespace ui
