// The program's own description from the outside: --help for every sub-command with the exit
// codes, --version, the manual page the build writes from the same texts, and progress shown
// only on a terminal.
#include <regex>

#include <gtest/gtest.h>

#include "app/testing/program.h"

namespace app {
namespace {

using namespace app::testing;

const std::vector<std::string> kCommands = {"index", "terms", "check-quotes", "remove", "unhighlight", "update"};

// The long options a help text lists.
std::vector<std::string> longOptions(const std::string& help) {
  std::vector<std::string> out;
  const std::regex option("(^|[\\s,])(--[a-z][a-z-]+)");
  for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
    out.push_back((*it)[2]);
  return out;
}

std::string roffName(const std::string& option) {
  std::string out;
  for (char c : option) out += c == '-' ? std::string("\\-") : std::string(1, c);
  return out;
}

TEST(ProgramHelp, EveryCommandHasHelpWithTheExitCodesAndTheVersionIsShown) {
  TempFolder tmp;
  Outcome top = vellandex(tmp, "--help");
  EXPECT_EQ(top.exitCode, 0) << top.all();
  for (const std::string& command : kCommands) {
    EXPECT_NE(top.output.find("  " + command), std::string::npos) << command;
    Outcome help = vellandex(tmp, command + " --help");
    EXPECT_EQ(help.exitCode, 0) << command << "\n" << help.all();
    EXPECT_NE(help.output.find("Exit codes:\n  0  done\n  1  the input is wrong"), std::string::npos) << help.output;
  }
  Outcome version = vellandex(tmp, "--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(std::regex_match(version.output, std::regex("vellandex [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << version.output;
}

TEST(ProgramHelp, TheManualPageIsBuiltFromTheSameHelpTexts) {
  TempFolder tmp;
  Outcome man = vellandex(tmp, "--man");
  ASSERT_EQ(man.exitCode, 0) << man.all();
  EXPECT_EQ(bytesOf(VLX_MAN_PAGE), man.output) << "the build wrote the page from this program";
  EXPECT_EQ(man.output.rfind(".TH VELLANDEX 1 ", 0), 0u);
  EXPECT_NE(man.output.find(".SH \"EXIT STATUS\""), std::string::npos);
  for (const std::string& command : kCommands) {
    EXPECT_NE(man.output.find(".SS \"vellandex " + roffName(command) + " FILE.docx"), std::string::npos) << command;
    for (const std::string& option : longOptions(vellandex(tmp, command + " --help").output)) {
      // Each option heads a tagged paragraph: its names in bold on the line after ".TP".
      const std::regex tagged("\n\\.TP\n\\\\fB[^\n]*" +
                              std::regex_replace(roffName(option), std::regex("\\\\"), "\\\\") + "(,|\\\\fR)");
      EXPECT_TRUE(std::regex_search(man.output, tagged)) << command << " " << option;
    }
  }
  if (shell(tmp, "command -v groff").exitCode != 0) GTEST_SKIP() << "groff is not installed";
  Outcome shown = shell(tmp, "groff -man -Tutf8 -ww -z " + shellArg(VLX_MAN_PAGE));
  EXPECT_EQ(shown.exitCode, 0) << shown.all();
  EXPECT_EQ(shown.errors, "") << "groff warns of nothing";
}

TEST(ProgramProgress, ShownOnATerminalUnlessQuiet) {
  TempFolder tmp;
  if (shell(tmp, "command -v script").exitCode != 0) GTEST_SKIP() << "script (util-linux) is not installed";
  const std::string index = std::string("'") + VLX_PROGRAM + "' index " + shellArg(kSample) + " -o " +
                            shellArg(tmp / "out.docx");
  // script runs the command on a terminal of its own and copies what it shows.
  Outcome shown = shell(tmp, "script -qec " + shellArg(index) + " /dev/null");
  ASSERT_EQ(shown.exitCode, 0) << shown.all();
  EXPECT_NE(shown.output.find("% Indexing document:  "), std::string::npos) << shown.output;
  Outcome quiet = shell(tmp, "script -qec " + shellArg(index + " --quiet") + " /dev/null");
  ASSERT_EQ(quiet.exitCode, 0) << quiet.all();
  EXPECT_EQ(quiet.output.find("Indexing document"), std::string::npos) << quiet.output;
  EXPECT_NE(quiet.output.find("Indexed "), std::string::npos) << quiet.output;
}

}  // namespace
}  // namespace app
