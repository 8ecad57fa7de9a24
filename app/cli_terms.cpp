#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/batch_session.h"
#include "app/careful_user.h"
#include "app/cli.h"
#include "app/exit_codes.h"
#include "app/find_and_index.h"
#include "app/index_place.h"
#include "app/option_flags.h"
#include "app/settings_sandbox.h"
#include "app/term_facts.h"
#include "ui/console_progress.h"
#include "ui/controls.h"
#include "ui/list_controls.h"
#include "ui/script/user.h"

namespace app {
namespace {

struct TermsRequest {
  std::string input;
  OptionFlags options;
  bool json = false;
  bool quiet = false;
};

// A term on one line: the breaks and tabs a search may take into a term written out.
std::string oneLine(const std::string& term) {
  std::string out;
  for (char c : term) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\v': out += "\\v"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

// The main dialog's preparation of a pass that only counts: every found term selected, every
// occurrence indexed (where the search type lets the user choose).
void countEveryOccurrence(ui::Form& dialog) {
  auto& found = dynamic_cast<ui::ListBox&>(control(dialog, "lstTermsInDoc"));
  for (int i = 0; i < found.ListCount(); ++i) found.SetSelected(i, true);
  auto& allInstances = dynamic_cast<ui::OptionButton&>(control(dialog, "optIndexWhat", 0));
  if (allInstances.Enabled() && !allInstances.Value()) ui::script::Click(allInstances);
}

void listTerms(const TermsRequest& request) {
  SettingsSandbox settings;
  BatchSession session(request.input);
  answerAsCarefulUser(session.user(), Answers{});
  // The run needs the cursor in the main text and out of any table: where an index would go.
  placeCursor(session.document(), IndexPlace{});
  std::vector<std::string> terms;
  bool quoted = true, matchCase = true;
  RunOutcome outcome;
  runFindAndIndex(
      session, request.options, false,
      [&](ui::Form& dialog, RunOutcome&) {
        auto& found = dynamic_cast<ui::ListBox&>(control(dialog, "lstTermsInDoc"));
        for (int i = 0; i < found.ListCount(); ++i) terms.push_back(found.List(i));
        quoted = dynamic_cast<ui::OptionButton&>(control(dialog, "optSearchType", 0)).Value();
        matchCase = dynamic_cast<ui::CheckBox&>(control(dialog, "chkCaseSensitive")).Value() == ui::vbChecked;
        // Counting indexes the document in memory; it is never saved.
        if (!request.json || terms.empty()) return false;
        countEveryOccurrence(dialog);
        return true;
      },
      outcome);
  checkRun(session, outcome, request.input);
  if (!outcome.mainDialogShown) throw BatchFailure{kExitInternal, request.input + ": the search did not end"};
  if (!request.json) {
    for (const std::string& term : terms) std::cout << oneLine(term) << "\n";
    return;
  }
  if (!terms.empty() && !outcome.indexed)
    throw BatchFailure{kExitInternal, request.input + ": the terms could not be counted (see the messages above)"};
  const std::vector<long> counts = entryCounts(session.document(), terms, matchCase);
  // Where each term is defined, in the document as the file holds it.
  auto pristine = host::Document::Open(request.input);
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < terms.size(); ++i) {
    nlohmann::ordered_json definition = nullptr;
    if (auto place = definitionOf(*pristine, terms[i], quoted)) {
      host::Story& story = *pristine->story(place->storyType);
      definition = {{"story", storyName(place->storyType)}, {"paragraph", paragraphNumber(story, place->position)}};
    }
    list.push_back({{"term", terms[i]}, {"count", counts[i]}, {"definition", definition}});
  }
  std::cout << nlohmann::ordered_json{{"input", request.input}, {"search", quoted ? "quoted" : "caps"}, {"terms", list}}
                   .dump(2)
            << "\n";
}

}  // namespace

void addTermsCommand(CLI::App& cli) {
  auto request = std::make_shared<TermsRequest>();
  auto* cmd = cli.add_subcommand("terms",
                                 "List the candidate terms that \"Find and index\" finds in a .docx, one a line, with "
                                 "the saved options as the flags below change them. The document is not changed.");
  cmd->add_option("input", request->input, "The document to search (never written)")
      ->required()
      ->type_name("FILE.docx");
  request->options.addSearchFlags(*cmd);
  cmd->add_flag("--json", request->json,
                "Print JSON instead: each term with the number of its occurrences indexed and the story and paragraph "
                "(counted from 1) of its definition");
  cmd->add_flag("--quiet", request->quiet, "Show no progress (progress shows only when standard error is a terminal)");
  cmd->footer(kExitCodesHelp);
  cmd->callback([request] {
    ui::SetConsoleProgress(request->quiet ? ui::ConsoleMode::Off : ui::ConsoleMode::Auto);
    listTerms(*request);
  });
}

}  // namespace app
