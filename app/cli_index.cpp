#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "app/batch_jobs.h"
#include "app/batch_session.h"
#include "app/careful_user.h"
#include "app/cli.h"
#include "app/exit_codes.h"
#include "app/find_and_index.h"
#include "app/index_place.h"
#include "app/index_report.h"
#include "app/option_flags.h"
#include "app/output_target.h"
#include "app/settings_sandbox.h"
#include "app/term_choices.h"
#include "host/platform/files.h"
#include "ui/console_progress.h"
#include "ui/list_controls.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// Everything `vellandex index` is asked to do.
struct IndexRequest {
  std::vector<std::string> inputs;
  OutputTarget target;
  std::string outDir;
  int jobs = 1;
  OptionFlags options;
  TermChoices terms;
  Answers answers;
  std::string at;
  bool saveDefaults = false;
  std::optional<std::string> report;
  bool quiet = false;
};

// Indexes one document into output.
void indexOne(const IndexRequest& request, const std::string& input) {
  const auto started = std::chrono::steady_clock::now();
  request.target.check(input);
  request.terms.checkFiles();
  if (request.report) checkReportPath(*request.report);
  SettingsSandbox settings;
  BatchSession session(input);
  answerAsCarefulUser(session.user(), request.answers);
  placeCursor(session.document(), parseIndexPlace(request.at).value_or(IndexPlace{}));
  bool foundNothing = false;
  RunOutcome outcome;
  runFindAndIndex(
      session, request.options, request.saveDefaults,
      [&](ui::Form& dialog, RunOutcome& run) {
        run.choiceProblem = request.terms.applyTo(dialog, session.user());
        foundNothing = dynamic_cast<ui::ListBox&>(control(dialog, "lstTermsInDoc")).ListCount() == 0;
        return run.choiceProblem.empty();
      },
      outcome);
  checkRun(session, outcome, input);
  if (outcome.nothingChosen)
    throw BatchFailure{kExitRefused, input + ": nothing to index: " +
                                         (foundNothing ? "no defined terms were found" : "no terms were chosen")};
  if (!outcome.indexed || !session.document().Bookmarks().Exists("VellandexIndex"))
    throw BatchFailure{kExitInternal, input + ": not indexed (see the messages above)"};

  const std::string& output = request.target.pathFor(input);
  session.saveAs(output);
  if (request.report) {
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - started;
    writeReport(*request.report, indexReport(session.document(), input, output, taken.count()));
  }
  if (request.saveDefaults) settings.keep();
  std::cout << "Indexed " << input << "; saved " << output << "\n";
}

// The arguments that index one of several documents in a run of its own.
std::vector<std::string> argumentsFor(const IndexRequest& request, const std::string& input,
                                      const std::string& report) {
  std::vector<std::string> out{"index", input, "--quiet"};
  if (request.target.inPlace) out.push_back("--in-place");
  else out.insert(out.end(), {"-o", (fs::path(request.outDir) / fs::path(input).filename()).string()});
  for (const auto& part : {request.options.arguments(), request.terms.arguments()})
    out.insert(out.end(), part.begin(), part.end());
  if (!request.at.empty()) out.insert(out.end(), {"--at", request.at});
  if (request.answers.yes) out.push_back("--yes");
  if (request.answers.moveArticles) out.push_back("--move-articles");
  if (request.saveDefaults) out.push_back("--save-defaults");
  if (!report.empty()) out.insert(out.end(), {"--report", report});
  return out;
}

// Indexes several documents, each in a run of the program of its own; one result line each,
// and the worst exit code.
int indexSeveral(const IndexRequest& request) {
  std::set<std::string> names;
  for (const std::string& input : request.inputs)
    if (!request.target.inPlace && !names.insert(fs::path(input).filename().string()).second)
      throw BatchFailure{kExitBadInput, "two documents are named " + fs::path(input).filename().string() +
                                            "; their copies in " + request.outDir + " would overwrite each other"};
  request.terms.checkFiles();
  if (request.report) checkReportPath(*request.report);
  if (!request.target.inPlace) {
    std::error_code error;
    fs::create_directories(request.outDir, error);
    if (!fs::is_directory(request.outDir, error))
      throw BatchFailure{kExitBadInput, "--out-dir " + request.outDir + ": the folder cannot be made"};
  }
  std::string reportFolder;  // each run's own report, until they are put together
  if (request.report) {
    reportFolder = (fs::temp_directory_path() / "vellandex-reports-XXXXXX").string();
    if (!::mkdtemp(reportFolder.data())) throw BatchFailure{kExitInternal, "cannot make a folder for the reports"};
  }
  std::vector<std::vector<std::string>> runs;
  for (std::size_t i = 0; i < request.inputs.size(); ++i)
    runs.push_back(argumentsFor(request, request.inputs[i],
                                reportFolder.empty() ? "" : reportFolder + "/" + std::to_string(i) + ".json"));

  int worst = kExitDone;
  std::vector<nlohmann::ordered_json> reported(request.inputs.size());
  runJobs(runs, request.jobs, [&](std::size_t i, const JobResult& result) {
    const std::string& input = request.inputs[i];
    std::size_t from = 0;
    while (from < result.errors.size()) {
      const std::size_t end = std::min(result.errors.find('\n', from), result.errors.size());
      std::cerr << input << ": " << result.errors.substr(from, end - from) << "\n";
      from = end + 1;
    }
    worst = std::max(worst, result.exitCode);
    if (result.exitCode == kExitDone) std::cout << result.output << std::flush;
    else
      std::cout << "Failed " << input << " (exit " << result.exitCode << "): " << failureMessage(result, input)
                << std::endl;
    if (!reportFolder.empty()) {
      const auto text = host::ReadWholeFile(reportFolder + "/" + std::to_string(i) + ".json");
      reported[i] = result.exitCode == kExitDone && text
                        ? nlohmann::ordered_json::parse(*text, nullptr, false)
                        : nlohmann::ordered_json{{"input", input},
                                                 {"exitCode", result.exitCode},
                                                 {"error", failureMessage(result, input)}};
    }
  });
  if (!reportFolder.empty()) {
    std::error_code ignored;
    fs::remove_all(reportFolder, ignored);
    writeReport(*request.report, reported);
  }
  return worst;
}

}  // namespace

void addIndexCommand(CLI::App& cli) {
  auto request = std::make_shared<IndexRequest>();
  auto* cmd = cli.add_subcommand(
      "index",
      "Find the defined terms of a .docx, index them and save the result. The options of the settings file are used, "
      "as the flags below change them for this run; every term found is indexed unless the term flags say otherwise. "
      "With several documents, each is indexed in a run of its own into --out-dir (or in place), with one result "
      "line each, and the worst exit code is returned.");
  cmd->add_option("input", request->inputs, "The documents to index (never written, unless --in-place)")
      ->required()
      ->type_name("FILE.docx");
  request->target.addFlags(*cmd);
  CLI::Option* outDir = cmd->add_option("--out-dir", request->outDir,
                                        "Where to save the indexed copies of several documents")
                            ->type_name("DIR");
  outDir->excludes("--output")->excludes("--in-place");
  cmd->add_option("--jobs", request->jobs, "How many documents to index at once (with several documents)")
      ->check(CLI::Range(1, 64))
      ->type_name("N");
  cmd->add_option("--at", request->at,
                  "Where the index goes: start, end, bookmark:NAME or after:TEXT (after the paragraph holding TEXT). "
                  "Default: where an existing index stands, else the end of the main text")
      ->check([](const std::string& value) { return checkIndexPlace(value); })
      ->type_name("PLACE");
  request->options.addSearchFlags(*cmd);
  request->options.addIndexFlags(*cmd);
  cmd->add_flag("--save-defaults", request->saveDefaults,
                "Keep the options given here in the settings file, as \"Set as defaults\" does");
  request->terms.addFlags(*cmd);
  cmd->add_flag("--move-articles", request->answers.moveArticles,
                "Move the opening quote behind the article of every quoted term that begins with one (\"the "
                "Buyer\"), instead of declining the offer");
  cmd->add_flag("--yes", request->answers.yes,
                "Answer Yes to every question the add-in asks (it never saves the input)");
  cmd->add_option(
         "--report", request->report,
         "Write a JSON report: the terms indexed with their counts and pages, the not-used and not-found terms, "
         "the time taken (with several documents, a list of reports)")
      ->type_name("FILE.json");
  cmd->add_flag("--quiet", request->quiet, "Show no progress (progress shows only when standard error is a terminal)");
  cmd->footer(kExitCodesHelp);
  cmd->callback([request] {
    ui::SetConsoleProgress(request->quiet ? ui::ConsoleMode::Off : ui::ConsoleMode::Auto);
    if (request->inputs.size() == 1 && request->outDir.empty()) {
      indexOne(*request, request->inputs.front());
      return;
    }
    if (!request->target.output.empty())
      throw BatchFailure{kExitBadInput, "-o names one output; with several documents use --out-dir DIR or --in-place"};
    if (request->outDir.empty() && !request->target.inPlace)
      throw BatchFailure{kExitBadInput, "name where the indexed copies go: --out-dir DIR, or --in-place"};
    // Each document's run has said what went wrong; only the exit code is left to give.
    if (const int worst = indexSeveral(*request); worst != kExitDone) throw BatchFailure{worst, ""};
  });
}

}  // namespace app
