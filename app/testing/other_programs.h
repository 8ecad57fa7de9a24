#pragma once
// The programs no one here wrote that tests hand our documents to: LibreOffice headless (many
// files converted to text in one start, or driven through its UNO bridge to update indexes) and
// python-docx, an independent reader of the format, both through Debian's own Python.
// Header-only, for tests.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/testing/program.h"
#include "host/testing/shell.h"

namespace app::testing {

namespace fs = std::filesystem;

/// Debian's Python, whose uno and docx modules match the system's LibreOffice and packages
/// (a python found first on PATH may lack both).
inline constexpr const char* kSystemPython = "/usr/bin/python3";

/// The files, each quoted for the shell, each after a space.
inline std::string quoted(const std::vector<fs::path>& files) {
  std::string out;
  for (const fs::path& file : files) out += " " + shellArg(file);
  return out;
}

/// A helper script of this folder, run by Debian's Python.
inline std::string pythonScript(const std::string& name) {
  return std::string(kSystemPython) + " " + shellArg(fs::path(VLX_SOURCE_DIR) / "app" / "testing" / name);
}

/// Why LibreOffice or Debian's Python with uno and docx cannot be used here, or "" when both can.
inline std::string missingOtherPrograms() {
  if (host::testing::RunShell("command -v soffice").exitCode != 0) return "LibreOffice (soffice) is not installed";
  if (host::testing::RunShell(std::string(kSystemPython) + " -c 'import uno, docx'").exitCode != 0)
    return std::string(kSystemPython) + " lacks python3-uno or python3-docx";
  return "";
}

/// What python-docx says of each file: "" when it reads it without an error or a warning, else why.
inline std::map<fs::path, std::string> readWithPythonDocx(const std::vector<fs::path>& files) {
  std::map<fs::path, std::string> said;
  if (files.empty()) return said;
  const host::testing::ShellOutcome run = host::testing::RunShell(pythonScript("docx_reader.py") + quoted(files));
  for (const fs::path& file : files) said[file] = "python-docx gave no answer: " + run.output.substr(0, 300);
  std::stringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    for (const fs::path& file : files) {
      if (line == "ok " + file.string()) said[file].clear();
      if (line.starts_with("error " + file.string() + ": ")) said[file] = line.substr(8 + file.string().size());
    }
  }
  return said;
}

/// What LibreOffice shows of each document after it updated every index itself, through its
/// UNO bridge (with the profile folder given): per file, a JSON object with "opened", "pages"
/// and "indexes" (the text of each).
inline std::map<fs::path, nlohmann::json> updateIndexesInLibreOffice(const std::vector<fs::path>& files,
                                                                     const fs::path& profile) {
  std::map<fs::path, nlohmann::json> shown;
  const host::testing::ShellOutcome run =
      host::testing::RunShell(pythonScript("office_indexes.py") + " " + shellArg(profile) + quoted(files));
  std::stringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    nlohmann::json one = nlohmann::json::parse(line, nullptr, false);
    if (one.is_object() && one.contains("file")) shown[fs::path(one["file"].get<std::string>())] = one;
  }
  return shown;
}

}  // namespace app::testing
