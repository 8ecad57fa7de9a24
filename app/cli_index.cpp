#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "app/batch_session.h"
#include "app/cli.h"
#include "app/exit_codes.h"
#include "ui/console_progress.h"
#include "ui/list_controls.h"
#include "ui/script/user.h"

namespace app {
namespace {

ui::Control& control(ui::Form& form, const char* name) {
  ui::Control* c = form.FindControl(name);
  if (!c) throw BatchFailure{kExitInternal, std::string("the dialog ") + form.Name() + " has no " + name};
  return *c;
}

// A careful user does not index what the search took for a term across a tab, a line break or
// a paragraph mark (the add-in warns of those): two quotes that do not belong together.
int deselectBrokenTerms(ui::Form& form) {
  int deselected = 0;
  auto* found = dynamic_cast<ui::ListBox*>(form.FindControl("lstTermsInDoc"));
  if (!found) return 0;
  for (int i = 0; i < found->ListCount(); ++i) {
    const std::string& term = found->List(i);
    const bool broken = std::any_of(term.begin(), term.end(), [](unsigned char c) { return c < 0x20; });
    if (broken && found->Selected(i)) {
      found->SetSelected(i, false);
      ++deselected;
    }
  }
  return deselected;
}

int selectedTerms(ui::Form& form) {
  int selected = 0;
  for (const char* name : {"lstTermsInDoc", "lstAddTerms"})
    if (auto* list = dynamic_cast<ui::ListBox*>(form.FindControl(name))) selected += list->SelCount();
  return selected;
}

// The answers of a careful user who wants every term found indexed with the saved options, and
// who stops rather than guess when the quotes of the document do not pair up.
void scriptCarefulUser(ui::script::Backend& user, bool& nothingToIndex) {
  user.OnModal("frmVLXOptions", [](ui::Form& form) { ui::script::Click(control(form, "cmdOK")); });
  user.OnModal("frmVLX_COM", [&](ui::Form& form) {
    if (const int skipped = deselectBrokenTerms(form))
      std::cerr << "vellandex: " << skipped << " found term(s) holding a tab or a line or paragraph break are not indexed\n";
    if (selectedTerms(form) == 0) {
      nothingToIndex = true;
      ui::script::Click(control(form, "cmdCancel"));
      return;
    }
    ui::script::Click(control(form, "cmdOK"));
    // OK leaves the dialog open only when it refused or failed, and said why.
    if (form.Visible()) form.Hide();
  });
  user.OnModal("frmVLXRemoveArticles", [](ui::Form& form) { ui::script::Click(control(form, "cmdCancel")); });
  user.OnModal("frmVLXChangeQuotes", [](ui::Form& form) { ui::script::Click(control(form, "cmdCancel")); });
  user.Answer("Mis-matched double quotes", ui::vbNo);
  user.Answer("Do you want to change which kind of double quotes", ui::vbNo);
}

// Where the index goes when the document has none yet: an empty paragraph at the end of the
// main text, added when the text ends in a paragraph that holds something, so that the heading
// stands in a paragraph of its own.
void placeCursorAtEnd(host::Document& doc) {
  const long end = doc.Content().End() - 1;
  if (end > 0 && doc.Range(end - 1, end).Text() != "\r") doc.Range(end, end).InsertParagraphAfter();
  const long last = doc.Content().End() - 1;
  doc.Select(doc.Range(last, last));
}

void runIndex(const std::string& input, const std::string& output) {
  std::error_code error;
  if (std::filesystem::equivalent(input, output, error))
    throw BatchFailure{kExitBadInput, "the output " + output + " is the input itself; name another file"};
  BatchSession session(input);
  bool nothingToIndex = false;
  scriptCarefulUser(session.user(), nothingToIndex);
  host::Document& doc = session.document();
  if (!doc.Bookmarks().Exists("VellandexIndex")) placeCursorAtEnd(doc);
  session.click("VLXIndexTag");
  if (!doc.Bookmarks().Exists("VellandexIndex")) {
    if (session.shown("Cannot index"))
      throw BatchFailure{kExitRefused, input + " was not indexed: its double quotes do not pair up"};
    if (nothingToIndex) throw BatchFailure{kExitRefused, input + " was not indexed: no defined terms were found"};
    throw BatchFailure{kExitInternal, input + " was not indexed (see the messages above)"};
  }
  session.saveAs(output);
  std::cout << "Indexed " << input << "; saved " << output << "\n";
}

}  // namespace

void addIndexCommand(CLI::App& cli) {
  auto* cmd = cli.add_subcommand("index", "Find the defined terms of a .docx, index them, and save the result as a new file");
  auto in = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("input", *in, "The document to index (it is never written)")->required();
  cmd->add_option("-o,--output", *out, "Where to save the indexed copy")->required();
  cmd->callback([in, out] {
    ui::SetConsoleProgress(ui::ConsoleMode::Auto);
    runIndex(*in, *out);
  });
}

}  // namespace app
