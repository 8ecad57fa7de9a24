#pragma once
// The documents of the shared corpus of real files (../shared/corpus), for the tests that read it.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace host::testing {

/// The .docx files of one folder of the corpus, sorted by path; none when the corpus is absent.
/// Only documents: a word processor that has one open leaves a lock file beside it.
inline std::vector<std::filesystem::path> corpusDocuments(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VLX_CORPUS_DIR) / folder, missing))
    if (entry.is_regular_file() && entry.path().extension() == ".docx") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace host::testing
