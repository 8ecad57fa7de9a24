#include "app/cli.h"
#include "app/document_command.h"
#include "app/exit_codes.h"

namespace app {

void addUnhighlightCommand(CLI::App& cli) {
  addDocumentCommand(cli, {"unhighlight",
                           "Remove only the marking colours that indexing left on the indexed terms (\"Remove "
                           "highlighting only\"); the index stays.",
                           "RemoveHighlightTag", [](const BatchSession& session, const std::string& input) {
                             if (!session.shown("Done"))
                               throw BatchFailure{kExitInternal, input + ": the highlighting was not removed"};
                             return std::string("Removed the highlighting of");
                           }});
}

}  // namespace app
