#include "discovery/run_objects.h"

#include "host/platform/error.h"
#include "settings/keys.h"
#include "state/run_state.h"

namespace discovery {

namespace {

[[noreturn]] void notSet() {
  throw host::Error(host::kErrObjectNotSet, "Object variable or With block variable not set");
}

}  // namespace

host::Application& RunApplication() {
  if (!state::pubWdApp) notSet();
  return *state::pubWdApp;
}

engine::_clsOSVLXLib& RunEngine() {
  if (!state::pubEngine) notSet();
  return *state::pubEngine;
}

host::Document& RunDocument() {
  if (!state::pubWdDoc) notSet();
  return *state::pubWdDoc;
}

progress::clsProgForm& RunProgress() {
  if (!progress::pubProgForm) notSet();
  return *progress::pubProgForm;
}

std::string StoryName(int storyType) {
  switch (storyType) {
    case host::wdMainTextStory: return "main body";
    case host::wdFootnotesStory: return "footnotes";
    case host::wdEndnotesStory: return "endnotes";
    default: return "";
  }
}

std::string QuoteText(int code) { return settings::QuoteCharacter(code); }

}  // namespace discovery
