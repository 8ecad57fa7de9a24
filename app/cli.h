#pragma once
// The sub-commands of the vellandex program; each registers its options on the parser and
// runs when chosen.

#include <CLI/CLI.hpp>

namespace app {

/// `vellandex resave IN.docx OUT.docx`: open and save unchanged.
void addResaveCommand(CLI::App& cli);
/// `vellandex dump IN.docx`: what the model sees in each story.
void addDumpCommand(CLI::App& cli);
/// `vellandex index IN.docx -o OUT.docx`: the find-and-index run, answered as a careful user would.
void addIndexCommand(CLI::App& cli);
/// `vellandex register` and `vellandex unregister`: the add-in's registration with the desktop host.
void addRegisterCommands(CLI::App& cli);

}  // namespace app
