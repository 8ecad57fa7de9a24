#pragma once
// What the add-in's procedures take from the running command: the application, the document,
// the engine and the progress controller (a missing one is the host's "object not set" error,
// which the procedure's error trap reports); and the names under which messages speak of the
// text stories.

#include <string>

#include "engine/osvlx_lib.h"
#include "host/model/document.h"
#include "host/shell/application.h"
#include "progress/cls_prog_form.h"

namespace discovery {

/// The application of the running command; host::kErrObjectNotSet between commands.
host::Application& RunApplication();
/// The add-in's engine; host::kErrObjectNotSet before the host has finished starting.
engine::_clsOSVLXLib& RunEngine();
/// The document of the running command; host::kErrObjectNotSet between commands.
host::Document& RunDocument();
/// The add-in's progress controller; host::kErrObjectNotSet when the add-in has none.
progress::clsProgForm& RunProgress();

/// "main body", "footnotes" or "endnotes" for story types 1 to 3, "" for others.
std::string StoryName(int storyType);

/// The text of a quote code as find text ("" for a code no character has).
std::string QuoteText(int code);

}  // namespace discovery
