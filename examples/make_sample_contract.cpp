// make-sample-contract: writes the sample contract to a .docx file.

#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "examples/sample_contract.h"
#include "host/platform/error.h"

int main(int argc, char** argv) {
  CLI::App app{"Writes the sample contract (an asset purchase agreement) as a .docx file."};
  std::string output;
  app.add_option("-o,--output", output, "The .docx file to write")->required();
  CLI11_PARSE(app, argc, argv);
  try {
    examples::buildSampleContract().save(output);
  } catch (const host::Error& e) {
    std::cerr << "make-sample-contract: " << e.description() << "\n";
    return 1;
  }
  return 0;
}
