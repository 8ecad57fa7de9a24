#include "app/cli.h"
#include "app/document_command.h"

namespace app {

void addRemoveCommand(CLI::App& cli) {
  addDocumentCommand(cli, {"remove",
                           "Remove the indexing: the index entries, the index and its lists, and the marking colours "
                           "(\"Remove indexing\"). A document without an index comes back unchanged.",
                           "RemoveIndexTag", [](const BatchSession&, const std::string&) {
                             return std::string("Removed the indexing of");
                           }});
}

}  // namespace app
