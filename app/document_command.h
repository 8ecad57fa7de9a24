#pragma once
// The add-in's short commands on the command line (remove, unhighlight, update): the document
// is opened in a batch session, the add-in's own menu button is clicked, and the result is
// saved to a new file or in place once the command has succeeded.

#include <functional>
#include <string>

#include <CLI/CLI.hpp>

#include "app/batch_session.h"

namespace app {

/// What a short command is on the command line.
struct DocumentCommand {
  const char* name;         // the sub-command
  const char* description;  // its help text
  const char* tag;          // the tag of the add-in's menu button it clicks
  // Tells from the session whether the command did its work; throws BatchFailure when not,
  // else returns the result line's beginning ("Removed the indexing of").
  std::function<std::string(const BatchSession& session, const std::string& input)> judge;
};

/// Registers the sub-command `name FILE.docx [-o OUT.docx | --in-place] [--quiet]`.
void addDocumentCommand(CLI::App& cli, const DocumentCommand& command);

}  // namespace app
