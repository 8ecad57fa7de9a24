#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/batch_session.h"
#include "app/careful_user.h"
#include "app/cli.h"
#include "app/document_places.h"
#include "app/exit_codes.h"
#include "app/find_and_index.h"
#include "app/index_place.h"
#include "app/option_flags.h"
#include "app/settings_sandbox.h"
#include "app/stray_quote.h"
#include "ui/console_progress.h"

namespace app {
namespace {

// The add-in's names of the stories it checks, in the order it checks them.
constexpr std::pair<int, const char*> kStories[] = {
    {host::wdMainTextStory, "main body"}, {host::wdFootnotesStory, "footnotes"}, {host::wdEndnotesStory, "endnotes"}};

// A story the check found unbalanced, and where its likely stray quote is.
struct Unbalanced {
  std::optional<long> stray;
  std::string where;  // "paragraph N: snippet"
};

// The story a mismatch message names.
int storyOfMessage(const std::string& prompt) {
  for (const auto& [type, name] : kStories)
    if (prompt.find(std::string("document's ") + name + ".") != std::string::npos) return type;
  return 0;
}

// Runs "Find and index" up to its quote check, again and again: each story the check finds
// unbalanced is noted with its likely stray quote, which is then taken out of the document (in
// memory only) so that the next run checks the stories after it.
std::map<int, Unbalanced> checkStories(BatchSession& session, const OptionFlags& quotes) {
  std::map<int, Unbalanced> unbalanced;
  RunOutcome outcome;
  int current = 0;     // the story this run found unbalanced
  bool again = false;  // a story found unbalanced before, although its stray quote went
  session.watch([&](const ui::Message& m) {
    if (m.title != "Mis-matched double quotes") return;
    // The add-in asks while the document holds the quotes as it counts them.
    current = storyOfMessage(m.prompt);
    again = unbalanced.contains(current);
    if (!current || again) return;
    unbalanced[current].stray = strayQuote(session.document(), current, outcome.openQuote, outcome.closeQuote);
  });
  for (std::size_t run = 0; run <= std::size(kStories); ++run) {
    current = 0;
    runFindAndIndex(
        session, quotes, false, [](ui::Form&, RunOutcome&) { return false; }, outcome);
    if (!outcome.optionsProblem.empty()) throw BatchFailure{kExitBadInput, outcome.optionsProblem};
    if (!current || again || !unbalanced[current].stray) break;
    // Shown once the run has given the quotes their own form back.
    Unbalanced& found = unbalanced[current];
    host::Story& story = session.document().StoryRanges().Item(current).GetStory();
    found.where = "paragraph " + std::to_string(paragraphNumber(story, *found.stray)) + ": " +
                  snippetAround(session.document(), story, *found.stray);
    host::Range stray = session.document().StoryRanges().Item(current);
    stray.SetRange(*found.stray, *found.stray + 1);
    if (!isDoubleQuote(stray.Characters16())) break;  // the text moved: stop rather than guess
    stray.Delete();
  }
  return unbalanced;
}

int checkQuotes(const std::string& input, OptionFlags quotes) {
  quotes.search = "quoted";
  SettingsSandbox settings;
  BatchSession session(input);
  answerAsCarefulUser(session.user(), Answers{});
  placeCursor(session.document(), IndexPlace{});
  std::map<int, bool> examined;
  for (host::Range story : session.document().StoryRanges())
    if (story.StoryType() <= host::wdEndnotesStory && story.StoryLength() >= 2) examined[story.StoryType()] = true;

  const std::map<int, Unbalanced> unbalanced = checkStories(session, quotes);
  if (session.errorShown())
    throw BatchFailure{kExitInternal, input + ": the quotes could not be checked (see the messages above)"};
  bool stopped = false;  // a stray quote that could not be found hides the stories after it
  for (const auto& [type, name] : kStories) {
    if (!examined.contains(type)) continue;
    std::cout << name << ": ";
    if (auto it = unbalanced.find(type); it != unbalanced.end()) {
      std::cout << "the double quotes do not pair up"
                << (it->second.stray ? "; likely stray quote in " + it->second.where : "") << "\n";
      stopped = stopped || !it->second.stray;
    } else {
      std::cout << (stopped ? "not checked" : "the double quotes pair up") << "\n";
    }
  }
  return unbalanced.empty() ? kExitDone : kExitRefused;
}

}  // namespace

void addCheckQuotesCommand(CLI::App& cli) {
  struct Request {
    std::string input;
    OptionFlags quotes;
    bool quiet = false;
  };
  auto request = std::make_shared<Request>();
  auto* cmd = cli.add_subcommand(
      "check-quotes",
      "Check, as \"Find and index\" does before it searches for terms in quotes, that the double quotes of each story "
      "(main body, footnotes, endnotes) pair up; for a story where they do not, show the paragraph and the text of "
      "the likely stray quote. Exits with 2 when a story does not pair up. The document is not changed.");
  cmd->add_option("input", request->input, "The document to check (never written)")->required()->type_name("FILE.docx");
  request->quotes.addQuoteFlags(*cmd);
  cmd->add_flag("--quiet", request->quiet, "Show no progress (progress shows only when standard error is a terminal)");
  cmd->footer(kExitCodesHelp);
  cmd->callback([request] {
    ui::SetConsoleProgress(request->quiet ? ui::ConsoleMode::Off : ui::ConsoleMode::Auto);
    if (const int code = checkQuotes(request->input, request->quotes); code != kExitDone)
      throw BatchFailure{code, request->input + ": the double quotes of a story do not pair up"};
  });
}

}  // namespace app
