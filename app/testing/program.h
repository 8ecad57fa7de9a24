#pragma once
// Running the vellandex program from the outside in tests: a private configuration folder, the
// exit code and what it printed, and documents written for it. Header-only, for app_tests.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "host/model/document.h"
#include "host/testing/shell.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_documents.h"

namespace app::testing {

namespace fs = std::filesystem;
using host::testing::TempFolder;

/// The shipped sample contract.
inline const fs::path kSample = fs::path(VLX_SOURCE_DIR) / "examples" / "sample-contract.docx";

/// How a run of a command line ended.
struct Outcome {
  int exitCode = -1;
  std::string output;  // standard output
  std::string errors;  // standard error
  /// Both, standard output first.
  std::string all() const { return output + errors; }
};

using host::testing::shellArg;

/// The settings file the program reads and writes in a test's private configuration folder.
inline fs::path settingsFile(const TempFolder& home) { return home / "config" / "Quillonet" / "Vellandex" / "vlx.ini"; }

/// Runs a shell command line with home's private configuration folder; standard output and
/// standard error are kept apart.
inline Outcome shell(const TempFolder& home, const std::string& command) {
  const fs::path errors = home / ".stderr";
  const std::string line = "XDG_CONFIG_HOME=" + shellArg(home / "config") + " " + command + " 2>" + shellArg(errors);
  Outcome out;
  FILE* pipe = ::popen(line.c_str(), "r");
  if (!pipe) return out;
  std::array<char, 4096> buffer;
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) out.output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errors, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  out.errors = s.str();
  fs::remove(errors);
  return out;
}

/// Runs the program with arguments (already quoted for the shell).
inline Outcome vellandex(const TempFolder& home, const std::string& arguments) {
  return shell(home, std::string("'") + VLX_PROGRAM + "' " + arguments);
}

/// A file's bytes.
inline std::string bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

/// Writes bytes to a file.
inline void writeFile(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

/// Writes a generated document.
inline void writeDocx(const fs::path& file, const host::testing::DocParts& parts) {
  writeFile(file, host::testing::makeDocx(parts));
}

/// A document of paragraphs, each one run of the text given.
inline host::testing::DocParts paragraphs(std::initializer_list<std::string> texts) {
  host::testing::DocParts parts;
  for (const std::string& text : texts) parts.body += host::testing::para(host::testing::run(text));
  return parts;
}

/// The files of a folder, by name.
inline std::vector<std::string> filesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

/// How often part stands in text.
inline std::size_t countOf(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

/// The XML of a document's main part.
inline std::string mainPartXml(const fs::path& file) {
  auto doc = host::Document::Open(file.string());
  return host::testing::xmlOf(doc->package().xml(doc->package().mainPartName()).document_element());
}

}  // namespace app::testing
