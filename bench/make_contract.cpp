// make-contract: writes a large synthetic contract for measuring the indexer.

#include <chrono>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "bench/synthetic_contract.h"
#include "host/platform/error.h"

int main(int argc, char** argv) {
  CLI::App app{
      "Writes a synthetic contract: defined terms used throughout the text, footnotes and "
      "article headings. The same arguments always give the same file."};
  bench::ContractShape shape;
  std::string output;
  app.add_option("--pages", shape.pages, "Pages of body text (the definitions of many terms add more)")
      ->check(CLI::Range(1, bench::kMaxPages))
      ->capture_default_str();
  app.add_option("--terms", shape.terms, "Distinct defined terms")
      ->check(CLI::Range(0, bench::kMaxTerms))
      ->capture_default_str();
  app.add_option("--footnotes", shape.footnotes, "Footnotes spread through the text")
      ->check(CLI::Range(0, bench::kMaxFootnotes))
      ->capture_default_str();
  app.add_option("-o,--output", output, "The .docx file to write")->required();
  CLI11_PARSE(app, argc, argv);

  try {
    const auto start = std::chrono::steady_clock::now();
    bench::buildSyntheticContract(shape).save(output);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cerr << "make-contract: wrote " << output << " in " << took.count() << " s\n";
  } catch (const host::Error& e) {
    std::cerr << "make-contract: " << e.description() << "\n";
    return 1;
  }
  return 0;
}
