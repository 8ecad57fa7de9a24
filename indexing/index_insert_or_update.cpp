#include "indexing/index_insert_or_update.h"

#include "discovery/run_objects.h"
#include "host/platform/error.h"
#include "indexing/run_options.h"

namespace indexing {

void IndexInsertOrUpdate(dialogs::frmVLX_COM& form, host::Document& wdDoc, host::Application& wdApp,
                         bool blnUpdateOnly) {
  if (blnUpdateOnly) {
    discovery::RunEngine().IndexUpdate(wdDoc);
  } else {
    const std::optional<long> columns = columnCount(form);
    if (!columns) throw host::Error(host::kErrBadArgument, "The number of columns must be a whole number from 1 to 4.");
    discovery::RunEngine().IndexInsert(wdApp, wdDoc, *columns, separator(form));
  }
  wdDoc.UndoClear();
}

}  // namespace indexing
