// vellandex: builds an index of the defined terms of a .docx contract.
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "app/batch_session.h"
#include "app/cli.h"
#include "app/desktop/desktop_program.h"
#include "app/exit_codes.h"
#include "host/platform/error.h"
#include "host/platform/heap.h"
#include "host/platform/warnings.h"
#include "host/shell/registry.h"

int main(int argc, char** argv) {
  // What the libraries warn about goes to standard error, one line each.
  host::SetWarningSink([](const std::string& line) { std::cerr << line << '\n'; });
  CLI::App cli{"Vellandex: an index of the defined terms of a .docx contract"};
  // Without a sub-command the program is the desktop host, with the document given, if any.
  cli.require_subcommand(0, 1);
  std::string document;
  cli.add_option("document", document, "A .docx to open in the desktop host (when no sub-command is given)");
  app::addResaveCommand(cli);
  app::addDumpCommand(cli);
  app::addIndexCommand(cli);
  app::addRegisterCommands(cli);
  app::addTermsCommand(cli);
  app::addCheckQuotesCommand(cli);
  app::addRemoveCommand(cli);
  app::addUnhighlightCommand(cli);
  app::addUpdateCommand(cli);
  app::describeProgram(cli);
  // A sub-command is a short run: its heap may grow a huge page at a time. The desktop host lives
  // on and keeps the usual heap, which gives freed memory back.
  if (argc > 1 && !cli.get_subcommands([&](CLI::App* sub) { return sub->check_name(argv[1]); }).empty())
    host::PreferHugePages();
  try {
    cli.parse(argc, argv);
    if (cli.get_subcommands().empty()) {
      const host::ComponentRegistry registry(host::ComponentRegistry::DefaultFolders());
      return registry.CreateObject<app::desktop::DesktopProgram>(app::desktop::DesktopProgram::kProgId)->Run(document);
    }
  } catch (const CLI::Success& e) {
    return cli.exit(e);
  } catch (const CLI::ParseError& e) {
    cli.exit(e);
    return app::kExitBadInput;
  } catch (const app::BatchFailure& e) {
    if (!e.message.empty()) std::cerr << "vellandex: " << e.message << "\n";
    return e.exitCode;
  } catch (const host::Error& e) {
    std::cerr << "vellandex: " << e.what() << "\n";
    return app::kExitBadInput;
  } catch (const std::exception& e) {
    std::cerr << "vellandex: unexpected failure: " << e.what() << "\n";
    return app::kExitInternal;
  }
  return app::kExitDone;
}
