#include <iostream>
#include <memory>
#include <string>

#include "app/cli.h"
#include "host/model/document.h"

namespace app {

void addResaveCommand(CLI::App& cli) {
  auto* cmd = cli.add_subcommand("resave", "Open a .docx and save it unchanged under another name");
  auto in = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("input", *in, "The document to read")->required()->check(CLI::ExistingFile)->type_name("IN.docx");
  cmd->add_option("output", *out, "Where to save it")->required()->type_name("OUT.docx");
  cmd->callback([in, out] {
    auto doc = host::Document::Open(*in);
    doc->SaveAs(*out);
    std::cout << "Saved " << *out << "\n";
  });
}

}  // namespace app
