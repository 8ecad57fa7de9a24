#pragma once
// The menu's update command: refreshes this program's index field in place, after the user
// agrees that no terms need adding.

#include "host/model/document.h"
#include "host/shell/application.h"

namespace addin {

/// Asks whether to update only; on Yes updates every index field of this program in the main
/// text (keyword INDEX, naming the identifier VellandexIndex as written) and says whether
/// there was one. wdDoc is the active document, nullptr when none is
/// open (then nothing happens).
void UpdateIndex(host::Application& wdApp, host::Document* wdDoc);

}  // namespace addin
