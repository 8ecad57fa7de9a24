#pragma once
// The programs no one here wrote that tests hand our documents to: LibreOffice headless (many
// files converted in one start, or driven through its UNO bridge) and python-docx, an
// independent reader of the format; both through Debian's own Python. Header-only, for app_tests.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/testing/program.h"

namespace app::testing {

/// Debian's Python, whose uno and docx modules match the system's LibreOffice and packages
/// (a python found first on PATH may lack both).
inline constexpr const char* kSystemPython = "/usr/bin/python3";

/// A helper script of app/testing.
inline fs::path helperScript(const std::string& name) { return fs::path(VLX_SOURCE_DIR) / "app" / "testing" / name; }

/// Why LibreOffice or Debian's Python with uno and docx cannot be used here, or "" when both can.
inline std::string missingClients(const TempFolder& home) {
  if (shell(home, "command -v soffice").exitCode != 0) return "LibreOffice (soffice) is not installed";
  if (shell(home, std::string(kSystemPython) + " -c 'import uno, docx'").exitCode != 0)
    return std::string(kSystemPython) + " lacks python3-uno or python3-docx";
  return "";
}

/// The .docx files of a folder of the shared corpus, by name ({} when the corpus is absent).
inline std::vector<fs::path> corpusDocuments(const std::string& folder) {
  std::vector<fs::path> files;
  const fs::path dir = fs::path(VLX_CORPUS_DIR) / folder;
  if (!fs::is_directory(dir)) return files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file() && entry.path().extension() == ".docx") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

/// The files, each quoted for the shell, separated by spaces.
inline std::string shellArgs(const std::vector<fs::path>& files) {
  std::string out;
  for (const fs::path& file : files) out += " " + shellArg(file);
  return out;
}

/// Converts every file to UTF-8 text (NAME.txt in folder) in one start of LibreOffice headless,
/// with a profile of home's own so that it never waits for or touches a user's.
inline Outcome convertToText(const TempFolder& home, const std::vector<fs::path>& files, const fs::path& folder) {
  fs::create_directories(folder);
  return shell(home, "timeout 900 soffice -env:UserInstallation=file://" + (home / "office-profile").string() +
                         " --headless --norestore --convert-to 'txt:Text (encoded):UTF8' --outdir " + shellArg(folder) +
                         shellArgs(files));
}

/// The lines of a text file, without line ends or a byte-order mark.
inline std::vector<std::string> linesOf(const fs::path& file) {
  std::vector<std::string> lines;
  std::stringstream in(bytesOf(file));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lines.empty() && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    lines.push_back(line);
  }
  return lines;
}

/// What python-docx says of each file: "" when it reads it without error or warning, else why.
inline std::map<fs::path, std::string> readWithPythonDocx(const TempFolder& home, const std::vector<fs::path>& files) {
  std::map<fs::path, std::string> said;
  if (files.empty()) return said;
  const Outcome run = shell(home, std::string(kSystemPython) + " " + shellArg(helperScript("docx_reader.py")) + shellArgs(files));
  for (const fs::path& file : files) said[file] = "python-docx gave no answer: " + run.errors;
  std::stringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    for (const fs::path& file : files) {
      if (line == "ok " + file.string()) said[file].clear();
      if (line.starts_with("error " + file.string() + ": ")) said[file] = line.substr(7 + file.string().size());
    }
  }
  return said;
}

/// What LibreOffice shows of each document after it updated every index itself, through its
/// UNO bridge: one JSON object per file with "opened", "pages" and "indexes" (their text).
inline std::map<fs::path, nlohmann::json> updateIndexesInLibreOffice(const TempFolder& home, const std::vector<fs::path>& files) {
  std::map<fs::path, nlohmann::json> shown;
  const Outcome run = shell(home, std::string(kSystemPython) + " " + shellArg(helperScript("office_indexes.py")) + " " +
                                      shellArg(home / "uno-profile") + shellArgs(files));
  std::stringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    nlohmann::json one = nlohmann::json::parse(line, nullptr, false);
    if (one.is_object() && one.contains("file")) shown[fs::path(one["file"].get<std::string>())] = one;
  }
  return shown;
}

}  // namespace app::testing
