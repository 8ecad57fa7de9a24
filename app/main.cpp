// vellandex: builds an index of the defined terms of a .docx contract.
#include <iostream>

#include <CLI/CLI.hpp>

#include "app/cli.h"
#include "host/error.h"

int main(int argc, char** argv) {
  CLI::App cli{"Vellandex: an index of the defined terms of a .docx contract"};
  cli.require_subcommand(1);
  app::addResaveCommand(cli);
  app::addDumpCommand(cli);
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return cli.exit(e);
  } catch (const host::Error& e) {
    std::cerr << "vellandex: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "vellandex: unexpected failure: " << e.what() << "\n";
    return 2;
  }
  return 0;
}
