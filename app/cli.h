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
/// `vellandex terms IN.docx`: the candidate terms the search finds.
void addTermsCommand(CLI::App& cli);
/// `vellandex check-quotes IN.docx`: whether each story's double quotes pair up.
void addCheckQuotesCommand(CLI::App& cli);
/// `vellandex remove IN.docx`: the "Remove indexing" command.
void addRemoveCommand(CLI::App& cli);
/// `vellandex unhighlight IN.docx`: the "Remove highlighting only" command.
void addUnhighlightCommand(CLI::App& cli);
/// `vellandex update IN.docx`: the "Update index" command.
void addUpdateCommand(CLI::App& cli);
/// The program's version, its exit codes under every help text, and --man, which prints the
/// manual page made from the same help texts.
void describeProgram(CLI::App& cli);

}  // namespace app
