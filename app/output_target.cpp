#include "app/output_target.h"

#include <unistd.h>

#include <filesystem>

#include "app/batch_failure.h"
#include "app/exit_codes.h"

namespace app {
namespace {

namespace fs = std::filesystem;

fs::path folderOf(const std::string& file) {
  const fs::path folder = fs::path(file).parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

void checkCanSave(const std::string& file) {
  const fs::path folder = folderOf(file);
  std::error_code error;
  if (!fs::is_directory(folder, error))
    throw BatchFailure{kExitBadInput, "cannot save " + file + ": the folder " + folder.string() + " does not exist"};
  if (::access(folder.c_str(), W_OK) != 0)
    throw BatchFailure{kExitBadInput, "cannot save " + file + ": the folder " + folder.string() + " is read-only"};
  if (fs::is_directory(file, error)) throw BatchFailure{kExitBadInput, "cannot save " + file + ": it is a folder"};
}

void OutputTarget::addFlags(CLI::App& command) {
  CLI::Option* out =
      command.add_option("-o,--output", output, "Where to save the changed copy (a new file)")->type_name("OUT.docx");
  CLI::Option* in = command.add_flag("--in-place", inPlace, "Replace the input file itself, in one step");
  out->excludes(in);
}

void OutputTarget::check(const std::string& input) const {
  if (!inPlace && output.empty()) throw BatchFailure{kExitBadInput, "name the output: -o OUT.docx, or --in-place"};
  if (inPlace) {
    std::error_code error;
    if (fs::exists(input, error) && ::access(input.c_str(), W_OK) != 0)
      throw BatchFailure{kExitBadInput, "cannot replace " + input + ": the file is read-only"};
    checkCanSave(input);
    return;
  }
  std::error_code error;
  if (fs::equivalent(input, output, error))
    throw BatchFailure{kExitBadInput,
                       "the output " + output + " is the input itself; name another file, or use --in-place"};
  checkCanSave(output);
}

}  // namespace app
