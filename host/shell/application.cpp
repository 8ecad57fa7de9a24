#include "host/shell/application.h"

#include <algorithm>

#include "host/model/quote_form.h"
#include "host/platform/error.h"
#include "host/platform/warnings.h"
#include "host/shell/options_store.h"

namespace host {

Application::Application() : Application(std::nullopt) {}

Application::Application(std::optional<std::filesystem::path> settingsDir)
    : settingsDir_(std::move(settingsDir)), commandBars_(std::make_unique<host::CommandBars>()) {
  std::optional<std::filesystem::path> customizationFile;
  if (settingsDir_) {
    *options_ = LoadOptions(*settingsDir_ / kOptionsFileName);
    keptOptions_ = *options_;
    customizationFile = *settingsDir_ / kCustomizationFileName;
  }
  customization_ = std::make_unique<host::CustomizationContext>(*commandBars_, std::move(customizationFile));
  customization_->Load();
}

Application::~Application() {
  if (!settingsDir_ || *options_ == keptOptions_) return;
  try {
    SaveOptions();
  } catch (const Error& e) {
    WarnSettings(e.description() + " The options are not kept.");
  }
}

void Application::SaveOptions() {
  if (!settingsDir_) return;
  host::SaveOptions(*settingsDir_ / kOptionsFileName, *options_);
  keptOptions_ = *options_;
}

Document& Application::ActiveDocument() {
  if (!active_) throw Error(kErrNoDocument, "This command is not available because no document is open.");
  return *active_;
}

void Application::ScreenRefresh() {
  if (repaint_) repaint_();
}

host::Range Selection::Range() const { return app_.ActiveDocument().SelectionRange(); }

void Selection::HomeKey(int unit) {
  host::Range r = Range();
  if (unit != wdStory) throw Error(kErrBadArgument, "Only wdStory is supported by HomeKey.");
  r.SetRange(0, 0);
}

void Selection::GoTo(int what, int which, long, const std::string& name) {
  Document& doc = app_.ActiveDocument();
  if (what == wdGoToBookmark) {
    long start = doc.Bookmarks().Item(name).Start();
    doc.Select(doc.makeRange(doc.Bookmarks().Item(name).Range().GetStory(), start, start));
    return;
  }
  if (what == wdGoToPage && which == wdGoToFirst) {
    doc.Select(doc.Range(0, 0));
    return;
  }
  throw Error(kErrBadArgument, "This kind of GoTo is not supported.");
}

long Documents::Count() const { return static_cast<long>(app_.documents_.size()); }

Document& Documents::Item(const std::string& name) const {
  for (const auto& d : app_.documents_)
    if (d->Name() == name) return *d;
  throw Error(kErrNoSuchMember, "No open document is called " + name + ".");
}

Document& Documents::Open(const std::string& path) { return Add(Document::Open(path)); }

Document& Documents::Add(std::unique_ptr<Document> doc) {
  doc->setOptions(app_.options_);
  if (!app_.options_->ReplaceQuotesChosen) {
    if (std::optional<bool> curly = CurlyQuotesPrevail(*doc)) {
      // Following the document is not a change of the user's options: nothing to keep.
      app_.options_->AutoFormatAsYouTypeReplaceQuotes = *curly;
      app_.keptOptions_.AutoFormatAsYouTypeReplaceQuotes = *curly;
    }
  }
  app_.documents_.push_back(std::move(doc));
  app_.active_ = app_.documents_.back().get();
  return *app_.active_;
}

void Documents::Close(Document& doc) {
  auto& docs = app_.documents_;
  docs.erase(std::remove_if(docs.begin(), docs.end(), [&](const auto& d) { return d.get() == &doc; }), docs.end());
  app_.active_ = docs.empty() ? nullptr : docs.back().get();
}

}  // namespace host
