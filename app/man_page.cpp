#include "app/man_page.h"

#include <cstdio>
#include <map>
#include <vector>

namespace app {
namespace {

// Text as roff prints it: backslashes and hyphens escaped, a line that would start with a
// control character guarded, and characters beyond ASCII named by their code point.
std::string roff(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if ((c == '.' || c == '\'') && (out.empty() || out.back() == '\n')) {
      out += "\\&";
      out += static_cast<char>(c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      // A UTF-8 sequence: its lead byte says how many bytes follow.
      const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
      unsigned long code = c & (0x3F >> extra);
      for (int k = 0; k < extra && i + 1 < text.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F);
      char name[16];
      std::snprintf(name, sizeof name, "\\[u%04lX]", code);
      out += name;
    }
  }
  return out;
}

// The value an option takes, as its help shows it (without the checks' descriptions).
std::string valueName(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  return type.substr(0, type.find(':'));
}

// An option's names as the page shows them: "-o, --output" (a positional argument: its name).
std::string names(const CLI::Option& option) {
  if (option.get_positional()) return valueName(option);
  std::string all = option.get_name(false, true), out;
  for (char c : all) out += c == ',' ? std::string(", ") : std::string(1, c);
  return out;
}

void writeOption(std::string& out, const CLI::Option& option) {
  out += ".TP\n\\fB" + roff(names(option)) + "\\fR";
  if (option.get_type_size_max() > 0 && !option.get_positional()) out += " \\fI" + roff(valueName(option)) + "\\fR";
  out += "\n" + roff(option.get_description()) + "\n";
}

void writeCommand(std::string& out, const CLI::App& command) {
  std::string synopsis = "vellandex " + command.get_name();
  for (const CLI::Option* option : command.get_options([](const CLI::Option* o) { return o->get_positional(); }))
    synopsis += " " + valueName(*option) + (option->get_items_expected_max() > 1 ? "..." : "");
  synopsis += " [OPTIONS]";
  out += ".SS \"" + roff(synopsis) + "\"\n" + roff(command.get_description()) + "\n";
  const auto positionals = command.get_options([](const CLI::Option* o) { return o->get_positional(); });
  if (!positionals.empty()) {
    out += ".PP\n\\fIArguments\\fR\n";
    for (const CLI::Option* option : positionals) writeOption(out, *option);
  }
  // Options by group, groups in the order they first appear.
  std::vector<std::string> groups;
  std::map<std::string, std::vector<const CLI::Option*>> byGroup;
  for (const CLI::Option* option : command.get_options()) {
    if (option->get_group().empty() || option->get_positional()) continue;  // hidden, or an argument
    if (!byGroup.contains(option->get_group())) groups.push_back(option->get_group());
    byGroup[option->get_group()].push_back(option);
  }
  for (const std::string& group : groups) {
    out += ".PP\n\\fI" + roff(group) + "\\fR\n";
    for (const CLI::Option* option : byGroup[group]) writeOption(out, *option);
  }
}

}  // namespace

std::string manPage(const CLI::App& cli, const std::string& version) {
  std::string out = ".TH VELLANDEX 1 \"\" \"vellandex " + roff(version) + "\" \"User Commands\"\n";
  // The description without the program's name in front ("Vellandex: an index ...").
  std::string description = cli.get_description();
  if (const std::size_t colon = description.find(": "); colon != std::string::npos) description.erase(0, colon + 2);
  out += ".SH NAME\nvellandex \\- " + roff(description) + "\n";
  out +=
      ".SH SYNOPSIS\n.B vellandex\n\\fICOMMAND\\fR \\fIFILE.docx\\fR [\\fIOPTIONS\\fR]\n.br\n"
      ".B vellandex\n\\fICOMMAND\\fR \\fB\\-\\-help\\fR\n.br\n.B vellandex \\-\\-version\n";
  out += ".SH COMMANDS\n";
  for (const CLI::App* command : cli.get_subcommands([](const CLI::App* c) { return !c->get_group().empty(); }))
    writeCommand(out, *command);
  out += ".SH \"EXIT STATUS\"\n.nf\n" + roff(cli.get_footer()) + ".fi\n";
  return out;
}

}  // namespace app
