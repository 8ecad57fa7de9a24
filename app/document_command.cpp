#include "app/document_command.h"

#include <iostream>
#include <memory>

#include "app/careful_user.h"
#include "app/exit_codes.h"
#include "app/output_target.h"
#include "app/settings_sandbox.h"
#include "ui/console_progress.h"

namespace app {

void addDocumentCommand(CLI::App& cli, const DocumentCommand& command) {
  struct Request {
    std::string input;
    OutputTarget target;
    bool quiet = false;
  };
  auto request = std::make_shared<Request>();
  auto* cmd = cli.add_subcommand(command.name, command.description);
  cmd->add_option("input", request->input, "The document (never written, unless --in-place)")
      ->required()
      ->type_name("FILE.docx");
  request->target.addFlags(*cmd);
  cmd->add_flag("--quiet", request->quiet, "Show no progress (progress shows only when standard error is a terminal)");
  cmd->footer(kExitCodesHelp);
  cmd->callback([request, command] {
    ui::SetConsoleProgress(request->quiet ? ui::ConsoleMode::Off : ui::ConsoleMode::Auto);
    request->target.check(request->input);
    // The add-in keeps a value of its own when it is disconnected; the user's stays as it is.
    SettingsSandbox settings;
    BatchSession session(request->input);
    answerAsCarefulUser(session.user(), Answers{});
    session.click(command.tag);
    if (session.errorShown())
      throw BatchFailure{kExitInternal, request->input + ": the command failed (see the messages above)"};
    const std::string done = command.judge(session, request->input);
    const std::string& output = request->target.pathFor(request->input);
    session.saveAs(output);
    std::cout << done << " " << request->input << "; saved " << output << "\n";
  });
}

}  // namespace app
