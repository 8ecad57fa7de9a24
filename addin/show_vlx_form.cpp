// The "Find and index" command of the add-in's connection object.
#include "addin/connect.h"
#include "addin/find_and_index_run.h"
#include "ui/message_box.h"

namespace addin {

void Connect::ShowVLXForm() {
  host::Application& app = wdApp();
  if (app.Documents().Count() < 1) {
    ui::MsgBox("At least 1 document needs to be open to run the indexer.", ui::vbOKOnly + ui::vbInformation,
               "No document to index");
    return;
  }
  FindAndIndexRun(*this, app).Run();
}

}  // namespace addin
