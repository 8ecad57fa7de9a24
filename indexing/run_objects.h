#pragma once
// The add-in's objects as the indexing procedures reach them: the engine, the progress
// controller, and the application and document of the running command. A missing one is the
// host's "object not set" error, which the procedure's error trap reports, not a crash.

#include "engine/osvlx_lib.h"
#include "host/application.h"
#include "host/document.h"
#include "progress/cls_prog_form.h"

namespace indexing {

/// The host's error number for an object that was never set.
inline constexpr long kErrObjectNotSet = 91;

/// The engine (state::pubEngine); host::Error 91 when the add-in has none.
engine::_clsOSVLXLib& activeEngine();
/// The progress controller (progress::pubProgForm); host::Error 91 when there is none.
progress::clsProgForm& progressForm();
/// The application of the running command (state::pubWdApp); host::Error 91 when not set.
host::Application& runApplication();
/// The document of the running command (state::pubWdDoc); host::Error 91 when not set.
host::Document& runDocument();

}  // namespace indexing
