#pragma once
// What term discovery takes from the running command: the application and the engine of the
// add-in, and the names under which messages speak of the text stories.

#include <string>

#include "engine/osvlx_lib.h"
#include "host/application.h"

namespace discovery {

/// The application of the running command; host::Error 91 between commands.
host::Application& RunApplication();
/// The add-in's engine; host::Error 91 before the host has finished starting.
engine::_clsOSVLXLib& RunEngine();

/// "main body", "footnotes" or "endnotes" for story types 1 to 3, "" for others.
std::string StoryName(int storyType);

/// The text of a quote code as find text ("" for a code no character has).
std::string QuoteText(int code);

}  // namespace discovery
