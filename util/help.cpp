#include "util/help.h"

#include <dlfcn.h>

#include <map>
#include <system_error>

#include "ui/backend.h"

namespace util {
namespace {

const int kAnchor = 0;  // an object of this module, to find the module's file

}  // namespace

std::filesystem::path AddinFolder() {
  std::error_code error;
  Dl_info info{};
  std::filesystem::path module;
  if (dladdr(&kAnchor, &info) != 0 && info.dli_fname) module = info.dli_fname;
  if (!module.is_absolute()) module = std::filesystem::read_symlink("/proc/self/exe", error);
  return std::filesystem::weakly_canonical(module, error).parent_path();
}

std::filesystem::path HelpFolder() {
  std::error_code error;
  for (const std::filesystem::path& folder : {AddinFolder() / "help", std::filesystem::path(VLX_HELP_INSTALL_DIR),
                                              std::filesystem::path(VLX_HELP_SOURCE_DIR)})
    if (std::filesystem::is_regular_file(folder / "index.html", error)) return folder;
  return {};
}

std::string HelpPage(int topic) {
  static const std::map<int, std::string> pages{{7, "getting-started.html"},  {11, "create-index.html"},
                                                {12, "remove-indexing.html"}, {13, "remove-highlighting.html"},
                                                {14, "update-index.html"},    {15, "term-lists.html"},
                                                {17, "options.html"},         {18, "case-sensitive.html"}};
  const auto page = pages.find(topic);
  return page == pages.end() ? "index.html" : page->second;
}

void ShowHelpTopic(int topic) {
  const std::filesystem::path folder = HelpFolder();
  if (!folder.empty()) ui::OpenExternal((folder / HelpPage(topic)).string());
}

void OpenWithShell(const std::string& path) {
  const bool address = path.find("://") != std::string::npos;
  ui::OpenExternal(address || path.empty() ? path : (AddinFolder() / path).lexically_normal().string());
}

std::string FaqTarget(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path local = folder / "vlxfaq.htm";
  return std::filesystem::is_regular_file(local, error) ? local.string() : std::string(VLX_FAQ_ADDRESS);
}

void ShowFaq() { OpenWithShell(FaqTarget(AddinFolder())); }

}  // namespace util
