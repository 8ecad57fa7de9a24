#pragma once
// Help: HTML pages shipped with the program, one per topic, opened with the desktop's
// default handler; the FAQ page; and opening files the way the desktop shell does.

#include <filesystem>
#include <string>

namespace util {

/// The folder of the add-in: where the module holding this code lies.
std::filesystem::path AddinFolder();

/// The folder of the help pages: "help" beside the add-in, else the installed help
/// folder, else the source tree's docs/help; empty when none holds the contents page.
std::filesystem::path HelpFolder();

/// The page of a topic (7, 11, 12, 13, 14, 15, 17, 18); topics below 1 and unknown
/// topics give the contents page.
std::string HelpPage(int topic);

/// Opens the help page of a topic; a missing help folder passes silently.
void ShowHelpTopic(int topic);

/// Opens a file (relative paths are taken from the add-in's folder) or an address with
/// the desktop's default handler.
void OpenWithShell(const std::string& path);

/// What the FAQ action opens: "vlxfaq.htm" in folder when present, else the FAQ address.
std::string FaqTarget(const std::filesystem::path& folder);

/// The FAQ action of the dialogs: the local FAQ page beside the add-in, else the address.
void ShowFaq();

}  // namespace util
