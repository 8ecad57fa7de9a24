#pragma once
// Several documents at once: the program runs itself once per document, a few processes at a
// time, so that no two documents share anything (the add-in's state, the settings, a crash).

#include <functional>
#include <string>
#include <vector>

namespace app {

/// How one run of the program ended.
struct JobResult {
  int exitCode = 0;    // the program's exit code; kExitInternal when it was killed
  std::string output;  // what it wrote on standard output
  std::string errors;  // what it wrote on standard error
};

/// Runs this program once for each argument list (arguments after the program's name), at
/// most jobs at a time, with standard input closed and standard output and error kept;
/// finished is called in the order the runs end, with the index of the list.
void runJobs(const std::vector<std::vector<std::string>>& argumentLists, int jobs,
             const std::function<void(std::size_t, const JobResult&)>& finished);

/// The message a failed run ended with: its last line of standard error that begins with
/// "vellandex: ", without that beginning nor the name of its document ("input: "); "" when
/// there is none.
std::string failureMessage(const JobResult& result, const std::string& input);

}  // namespace app
