#include "app/option_flags.h"

#include <memory>

#include "app/batch_failure.h"
#include "app/exit_codes.h"
#include "ui/controls.h"
#include "ui/list_controls.h"
#include "ui/script/user.h"

namespace app {
namespace {

constexpr const char* kSearchGroup = "Search options (override the saved options for this run)";
constexpr const char* kIndexGroup = "Index options (override the saved options for this run)";
constexpr const char* kQuotedOnly = "applies only to a search for terms in quotes (--search quoted)";

// A flag and its opposite, which set one option on or off; giving both is an error.
void addSwitch(CLI::App& command, const std::string& on, const std::string& off, std::optional<bool>& target,
               const std::string& onHelp, const std::string& offHelp, const char* group) {
  CLI::Option* yes = command
                         .add_flag_callback(
                             on, [&target] { target = true; }, onHelp)
                         ->group(group);
  CLI::Option* no = command
                        .add_flag_callback(
                            off, [&target] { target = false; }, offHelp)
                        ->group(group);
  yes->excludes(no);
}

template <typename T>
T& find(ui::Form& dialog, const char* name, int index = -1) {
  if (auto* found = dynamic_cast<T*>(dialog.FindControl(name, index))) return *found;
  throw BatchFailure{kExitInternal, std::string("the dialog ") + dialog.Name() + " has no " + name};
}

// What is wrong when a control a flag sets is switched off.
std::string switchedOff(const char* name, const std::string& why) {
  return why.empty() ? std::string("the option ") + name + " is switched off" : why;
}

// Ticks or clears a check box as a click would; why it cannot be when it is switched off (a
// flag for an option the other options switch off would be ignored, so it is refused).
std::string setCheck(ui::Form& dialog, const char* name, const std::optional<bool>& value, const std::string& why) {
  if (!value) return "";
  auto& box = find<ui::CheckBox>(dialog, name);
  if (!box.Enabled()) return switchedOff(name, why);
  if ((box.Value() == ui::vbChecked) == *value) return "";
  ui::script::Click(box);
  return "";
}

std::string setOption(ui::Form& dialog, const char* name, int index, const std::string& why) {
  auto& button = find<ui::OptionButton>(dialog, name, index);
  if (!button.Enabled()) return switchedOff(name, why);
  if (button.Value()) return "";
  ui::script::Click(button);
  return "";
}

// Picks the quote list's entry that is the character given, or whose code it is.
std::string setQuote(ui::Form& dialog, const char* name, const std::optional<std::string>& quote,
                     const std::string& flag) {
  if (!quote) return "";
  auto& list = find<ui::ComboBox>(dialog, name);
  std::string offered;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) == *quote || std::to_string(list.ItemData(i)) == *quote) {
      if (!list.Enabled()) return flag + " " + kQuotedOnly;
      if (list.ListIndex() == i) return "";
      ui::script::Choose(list, i);
      return "";
    }
    offered += (offered.empty() ? "" : ", ") + list.List(i) + " (" + std::to_string(list.ItemData(i)) + ")";
  }
  return flag + " " + *quote + " is not one of the quotes offered: " + offered;
}

// Replaces a text box's text as a user does: backspaces, then the new text typed.
void retype(ui::TextBox& box, const std::string& text) {
  ui::script::Focus(box);
  while (!box.Text().empty()) ui::script::PressKey(box, ui::vbKeyBack);
  ui::script::Type(box, text);
}

}  // namespace

void OptionFlags::addSearchFlags(CLI::App& command) {
  command
      .add_option("--search", search,
                  "What to look for: terms in double quotes (quoted) or capitalised words "
                  "and phrases (caps)")
      ->check(CLI::IsMember({"quoted", "caps"}))
      ->type_name("quoted|caps")
      ->group(kSearchGroup);
  addSwitch(command, "--bold", "--no-bold", bold, "Only quoted terms in bold are defined terms",
            "Quoted terms count whether they are bold or not", kSearchGroup);
  addQuoteFlags(command);
  addSwitch(command, "--case-sensitive", "--no-case-sensitive", caseSensitive, "Find and mark exact-case matches only",
            "Find and mark matches whatever their letter case", kSearchGroup);
  addSwitch(command, "--full-caps", "--no-full-caps", fullCaps,
            "Treat a term written in full capitals as the same term (needs a case-sensitive search)",
            "Do not treat a term written in full capitals as the same term", kSearchGroup);
  addSwitch(command, "--ignore-numbers", "--no-ignore-numbers", ignoreNumbers,
            "Ignore capitalised words that contain digits", "Keep capitalised words that contain digits", kSearchGroup);
}

void OptionFlags::addQuoteFlags(CLI::App& command) {
  command
      .add_option("--open-quote", openQuote,
                  "The double quote that opens a defined term: one of \u201C \u201D \u201E \u00AB \u00BB, or its "
                  "Windows-1252 code (147, 148, 132, 171, 187)")
      ->type_name("CHAR")
      ->group(kSearchGroup);
  command.add_option("--close-quote", closeQuote, "The double quote that closes a defined term (as --open-quote)")
      ->type_name("CHAR")
      ->group(kSearchGroup);
}

void OptionFlags::addIndexFlags(CLI::App& command) {
  addSwitch(command, "--highlight", "--no-highlight", highlight, "Leave the indexed occurrences highlighted",
            "Take the marking colours away once the document is indexed", kIndexGroup);
  addSwitch(command, "--definitions-only", "--all-instances", definitionsOnly,
            "Index only where each term is defined (ticks --tab, as the dialog does)",
            "Index every occurrence of each term (clears --tab, as the dialog does)", kIndexGroup);
  addSwitch(command, "--not-used", "--no-not-used", notUsed,
            "Add the list of terms defined but not used (or used only once)", "Leave that list out", kIndexGroup);
  addSwitch(command, "--not-found", "--no-not-found", notFound, "Add the list of chosen terms not found",
            "Leave that list out", kIndexGroup);
  command.add_option("--cols", cols, "Columns of the index, 1 to 4")
      ->check(CLI::Range(1, 4))
      ->type_name("N")
      ->group(kIndexGroup);
  command.add_option("--sep", sep, "The text between a term and its page numbers")
      ->type_name("TEXT")
      ->group(kIndexGroup);
  addSwitch(command, "--tab", "--no-tab", tab, "Put a tab after the separator", "Put no tab after the separator",
            kIndexGroup);
}

std::vector<std::string> OptionFlags::arguments() const {
  std::vector<std::string> out;
  const auto value = [&](const char* flag, const std::optional<std::string>& v) {
    if (v) out.insert(out.end(), {flag, *v});
  };
  const auto onOff = [&](const char* on, const char* off, const std::optional<bool>& v) {
    if (v) out.push_back(*v ? on : off);
  };
  value("--search", search);
  onOff("--bold", "--no-bold", bold);
  value("--open-quote", openQuote);
  value("--close-quote", closeQuote);
  onOff("--case-sensitive", "--no-case-sensitive", caseSensitive);
  onOff("--full-caps", "--no-full-caps", fullCaps);
  onOff("--ignore-numbers", "--no-ignore-numbers", ignoreNumbers);
  onOff("--highlight", "--no-highlight", highlight);
  onOff("--definitions-only", "--all-instances", definitionsOnly);
  onOff("--not-used", "--no-not-used", notUsed);
  onOff("--not-found", "--no-not-found", notFound);
  if (cols) out.insert(out.end(), {"--cols", std::to_string(*cols)});
  value("--sep", sep);
  onOff("--tab", "--no-tab", tab);
  return out;
}

std::string OptionFlags::applyTo(ui::Form& dialog) const {
  // The search type first: it enables or disables the quote lists and what to index.
  const std::string steps[] = {
      search ? setOption(dialog, "optSearchType", *search == "caps" ? 1 : 0, "") : std::string(),
      setCheck(dialog, "chkBold", bold, ""),
      setQuote(dialog, "cmbOpenQuote", openQuote, "--open-quote"),
      setQuote(dialog, "cmbCloseQuote", closeQuote, "--close-quote"),
      setCheck(dialog, "chkCaseSensitive", caseSensitive, ""),
      // Whether full capitals count is asked only of a case-sensitive search.
      setCheck(dialog, "chkIndexCaps", fullCaps,
               std::string(fullCaps.value_or(false) ? "--full-caps" : "--no-full-caps") +
                   " needs a case-sensitive search (--case-sensitive)"),
      setCheck(dialog, "chkIgnoreNums", ignoreNumbers, ""),
      setCheck(dialog, "chkHighlight", highlight, ""),
      definitionsOnly
          ? setOption(dialog, "optIndexWhat", *definitionsOnly ? 1 : 0,
                      std::string(*definitionsOnly ? "--definitions-only " : "--all-instances ") + kQuotedOnly)
          : std::string(),
      setCheck(dialog, "chkIncludeNotUsed", notUsed, ""),
      setCheck(dialog, "chkIncludeNotFound", notFound, ""),
  };
  for (const std::string& problem : steps)
    if (!problem.empty()) return problem;
  if (cols) retype(find<ui::TextBox>(dialog, "txtCols"), std::to_string(*cols));
  if (sep) retype(find<ui::TextBox>(dialog, "txtSep"), *sep);
  // After what to index, which ticks or clears the tab itself.
  return setCheck(dialog, "chkTabSep", tab, "");
}

}  // namespace app
