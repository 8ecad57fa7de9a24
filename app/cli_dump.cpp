#include <iostream>
#include <memory>
#include <string>

#include "app/cli.h"
#include "host/dump/dump.h"
#include "host/model/document.h"

namespace app {

void addDumpCommand(CLI::App& cli) {
  auto* cmd = cli.add_subcommand("dump", "Show each story's type, length and text as Vellandex reads it");
  auto in = std::make_shared<std::string>();
  cmd->add_option("input", *in, "The document to read")->required()->check(CLI::ExistingFile)->type_name("IN.docx");
  cmd->callback([in] {
    auto doc = host::Document::Open(*in);
    std::cout << host::dumpDocument(*doc);
  });
}

}  // namespace app
