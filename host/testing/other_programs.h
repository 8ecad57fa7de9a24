#pragma once
// The programs no one here wrote that tests hand our documents to: LibreOffice headless (many
// files converted to text in one start, or driven through its UNO bridge to update indexes) and
// python-docx, an independent reader of the format, both through Debian's own Python.
// Header-only, for tests of every layer.

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/testing/shell.h"

namespace host::testing {

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
  return std::string(kSystemPython) + " " + shellArg(fs::path(VLX_SOURCE_DIR) / "host" / "testing" / name);
}

/// Why LibreOffice or Debian's Python with uno and docx cannot be used here, or "" when both can.
inline std::string missingOtherPrograms() {
  if (RunShell("command -v soffice").exitCode != 0) return "LibreOffice (soffice) is not installed";
  if (RunShell(std::string(kSystemPython) + " -c 'import uno, docx'").exitCode != 0)
    return std::string(kSystemPython) + " lacks python3-uno or python3-docx";
  return "";
}

/// What python-docx says of each file: "" when it reads it without an error or a warning, else why.
inline std::map<fs::path, std::string> readWithPythonDocx(const std::vector<fs::path>& files) {
  std::map<fs::path, std::string> said;
  if (files.empty()) return said;
  const ShellOutcome run = RunShell(pythonScript("docx_reader.py") + quoted(files));
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

/// Converts every file to UTF-8 text (NAME.txt in folder) in one start of LibreOffice headless,
/// with the profile folder given, so that it never waits for or touches a user's.
inline ShellOutcome convertToText(const std::vector<fs::path>& files, const fs::path& folder, const fs::path& profile) {
  fs::create_directories(folder);
  if (files.empty()) return {0, ""};
  return RunShell("timeout 900 soffice -env:UserInstallation=file://" + profile.string() +
                  " --headless --norestore --convert-to 'txt:Text (encoded):UTF8' --outdir " + shellArg(folder) +
                  quoted(files));
}

/// The lines of a text file, without line ends or a byte-order mark.
inline std::vector<std::string> linesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lines.empty() && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    lines.push_back(line);
  }
  return lines;
}

/// What LibreOffice shows of each document after it updated every index itself, through its
/// UNO bridge (with the profile folder given): per file, a JSON object with "opened", "pages"
/// and "indexes" (the text of each).
inline std::map<fs::path, nlohmann::json> updateIndexesInLibreOffice(const std::vector<fs::path>& files,
                                                                     const fs::path& profile) {
  std::map<fs::path, nlohmann::json> shown;
  const ShellOutcome run = RunShell(pythonScript("office_indexes.py") + " " + shellArg(profile) + quoted(files));
  std::stringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    nlohmann::json one = nlohmann::json::parse(line, nullptr, false);
    if (one.is_object() && one.contains("file")) shown[fs::path(one["file"].get<std::string>())] = one;
  }
  return shown;
}

}  // namespace host::testing
