#include "app/term_choices.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <optional>
#include <set>

#include "app/batch_failure.h"
#include "app/careful_user.h"
#include "app/exit_codes.h"
#include "host/package/xml_check.h"
#include "host/platform/files.h"
#include "host/text/text.h"
#include "ui/controls.h"
#include "ui/list_controls.h"
#include "ui/script/user.h"

namespace app {
namespace {

constexpr const char* kGroup = "Terms (chosen on the main dialog)";

ui::ListBox& list(ui::Form& dialog, const char* name) {
  if (auto* found = dynamic_cast<ui::ListBox*>(&control(dialog, name))) return *found;
  throw BatchFailure{kExitInternal, std::string("the control ") + name + " is no list"};
}

// The terms of a term list file, read by the dialog's "Load saved list" into the added terms
// (which must be empty) and taken out again; none when the dialog refused the file.
std::optional<std::vector<std::string>> readTermList(ui::Form& dialog, ui::script::Backend& user,
                                                     const std::string& path) {
  ui::ListBox& added = list(dialog, "lstAddTerms");
  const std::size_t shown = user.Messages().size();
  user.AnswerFile(path);
  ui::script::Click(control(dialog, "cmdLoadSavedList"));
  if (user.Messages().size() != shown) return std::nullopt;
  std::vector<std::string> terms;
  while (added.ListCount() > 0) {
    terms.push_back(added.List(0));
    added.RemoveItem(0);
  }
  return terms;
}

// Adds the terms of a term list file to the added terms and selects them; false when the
// dialog refused the file.
bool addTermList(ui::Form& dialog, ui::script::Backend& user, const std::string& path) {
  ui::ListBox& added = list(dialog, "lstAddTerms");
  const int before = added.ListCount();
  const std::size_t shown = user.Messages().size();
  user.AnswerFile(path);
  ui::script::Click(control(dialog, "cmdLoadSavedList"));
  if (user.Messages().size() != shown) return false;
  if (added.ListCount() == before) std::cerr << "vellandex: " << path << " adds no terms\n";
  for (int i = before; i < added.ListCount(); ++i) added.SetSelected(i, true);
  return true;
}

void addTerm(ui::Form& dialog, const std::string& term) {
  auto& box = dynamic_cast<ui::TextBox&>(control(dialog, "txtAddTerm"));
  ui::script::Focus(box);
  box.SetText(term);  // pasted: the box filters nothing
  ui::script::Click(control(dialog, "cmdAddTerm"));
}

// A term that the search took across a tab, a line break or a paragraph mark (the add-in warns
// of those) is two quotes that do not belong together: a careful user leaves it out.
bool brokenTerm(const std::string& term) {
  return std::any_of(term.begin(), term.end(), [](unsigned char c) { return c < 0x20; });
}

// A character below U+0020 other than the tab: XML has no place for it in text.
bool holdsControlCharacter(const std::string& term) {
  return std::any_of(term.begin(), term.end(), [](unsigned char c) { return c < 0x20 && c != '\t'; });
}

// The term with each control character written as \xNN, for a message; every byte beyond
// ASCII too when the term is not UTF-8, which a terminal would show as garbage.
std::string printable(const std::string& term) {
  const bool utf8 = host::toUtf8(host::toText(term)) == term;
  std::string out;
  for (unsigned char c : term) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    const bool plain = (c >= 0x20 && c < 0x80) || c == '\t' || (c >= 0x80 && utf8);
    out += plain ? std::string(1, static_cast<char>(c)) : std::string(escaped);
  }
  return out;
}

// What in a term a document cannot hold, as a phrase; none when nothing. A control character
// other than the tab has no place in a term's text, and XML refuses some characters more.
std::optional<std::string> unwritable(const std::string& term) {
  if (holdsControlCharacter(term)) return "a control character";
  return host::unwritableInXml(term);
}

bool namedTxt(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return std::tolower(c); });
  return end == ".txt";
}

}  // namespace

void TermChoices::addFlags(CLI::App& command) {
  command.add_option("--only", only, "Index only the found terms that this term list file holds")
      ->type_name("LIST.txt")
      ->group(kGroup);
  command.add_option("--exclude", exclude, "Leave out the found terms that this term list file holds")
      ->type_name("LIST.txt")
      ->group(kGroup);
  // One value each time, so that a document named after them is not taken for a term.
  command.add_option("--add", add, "Index this term too (repeatable)")
      ->type_name("TERM")
      ->allow_extra_args(false)
      ->group(kGroup);
  command
      .add_option("--add-file", addFiles,
                  "Index the terms of this term list file too: one term a line, or several separated by "
                  "commas, UTF-8 or Windows-1252 (repeatable)")
      ->type_name("LIST.txt")
      ->allow_extra_args(false)
      ->group(kGroup);
}

std::vector<std::string> TermChoices::arguments() const {
  std::vector<std::string> out;
  if (only) out.insert(out.end(), {"--only", *only});
  if (exclude) out.insert(out.end(), {"--exclude", *exclude});
  for (const std::string& file : addFiles) out.insert(out.end(), {"--add-file", file});
  for (const std::string& term : add) out.insert(out.end(), {"--add", term});
  return out;
}

void TermChoices::checkFiles() const {
  std::vector<std::pair<const char*, std::string>> files;
  if (only) files.emplace_back("--only", *only);
  if (exclude) files.emplace_back("--exclude", *exclude);
  for (const std::string& file : addFiles) files.emplace_back("--add-file", file);
  for (const auto& [flag, file] : files) {
    if (!namedTxt(file))
      throw BatchFailure{kExitBadInput, std::string(flag) + " " + file + ": a term list file's name ends in .txt"};
    if (!host::ReadWholeFile(file))
      throw BatchFailure{kExitBadInput, std::string(flag) + " " + file + ": the file cannot be read"};
  }
}

std::string TermChoices::applyTo(ui::Form& dialog, ui::script::Backend& user) const {
  std::optional<std::set<std::string>> kept, left;
  if (only) {
    auto terms = readTermList(dialog, user, *only);
    if (!terms) return "--only " + *only + ": the term list could not be loaded";
    kept.emplace(terms->begin(), terms->end());
  }
  if (exclude) {
    auto terms = readTermList(dialog, user, *exclude);
    if (!terms) return "--exclude " + *exclude + ": the term list could not be loaded";
    left.emplace(terms->begin(), terms->end());
  }
  ui::ListBox& found = list(dialog, "lstTermsInDoc");
  int broken = 0;
  for (int i = 0; i < found.ListCount(); ++i) {
    const std::string& term = found.List(i);
    if (brokenTerm(term) && found.Selected(i)) ++broken;
    const bool chosen = !brokenTerm(term) && (!kept || kept->contains(term)) && (!left || !left->contains(term));
    if (found.Selected(i) != chosen) found.SetSelected(i, chosen);
  }
  if (broken)
    std::cerr << "vellandex: " << broken
              << " found term(s) holding a tab or a line or paragraph break are not indexed\n";
  for (const std::string& file : addFiles)
    if (!addTermList(dialog, user, file)) return "--add-file " + file + ": the term list could not be loaded";
  for (const std::string& term : add) addTerm(dialog, term);
  // What a document cannot hold is refused here, before the run marks anything, rather than
  // when the result is saved.
  const ui::ListBox& added = list(dialog, "lstAddTerms");
  for (int i = 0; i < added.ListCount(); ++i)
    if (const std::optional<std::string> what = unwritable(added.List(i)))
      return "the term \"" + printable(added.List(i)) + "\" holds " + *what + ", which a document cannot hold";
  return "";
}

int selectedTerms(ui::Form& dialog) {
  int selected = 0;
  for (const char* name : {"lstTermsInDoc", "lstAddTerms"})
    if (auto* l = dynamic_cast<ui::ListBox*>(dialog.FindControl(name))) selected += l->SelCount();
  return selected;
}

}  // namespace app
