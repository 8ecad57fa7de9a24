#pragma once
// Where a command that changes a document saves it: a new file (-o) or the input itself
// (--in-place), in one step once the command has succeeded; nothing is written otherwise.

#include <string>

#include <CLI/CLI.hpp>

namespace app {

/// The output of a command that changes a document.
struct OutputTarget {
  std::string output;    // -o: a new file
  bool inPlace = false;  // --in-place: the input, replaced at once

  /// Registers -o/--output and --in-place (which exclude each other) on a sub-command.
  void addFlags(CLI::App& command);
  /// The file the document of input is saved to.
  const std::string& pathFor(const std::string& input) const { return inPlace ? input : output; }
  /// Refuses (BatchFailure, bad input) before anything is done: no output named, an output
  /// that is the input, a folder that does not exist or cannot be written, an input that
  /// cannot be replaced.
  void check(const std::string& input) const;
};

/// Refuses (BatchFailure, bad input) a file that cannot be saved: its folder does not exist
/// or cannot be written, or a folder stands in its place.
void checkCanSave(const std::string& file);

}  // namespace app
