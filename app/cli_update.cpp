#include "app/cli.h"
#include "app/document_command.h"
#include "app/exit_codes.h"

namespace app {

void addUpdateCommand(CLI::App& cli) {
  addDocumentCommand(cli, {"update",
                           "Update the existing index's page numbers without adding terms (\"Update index\"); the "
                           "not-used and not-found lists stay as they are.",
                           "UpdateTag", [](const BatchSession& session, const std::string& input) {
                             if (session.shown("No defined terms index found"))
                               throw BatchFailure{kExitRefused, input +
                                                                    " has no defined terms index to update; "
                                                                    "index it with vellandex index"};
                             if (!session.shown("Done"))
                               throw BatchFailure{kExitInternal, input + ": the index was not updated"};
                             return std::string("Updated the index of");
                           }});
}

}  // namespace app
