#pragma once
// Counting the hosts that share one menu customization: an add-in installs the shared menu and
// creates the engine only in the first of them. Desktop hosts share the user's customization;
// a batch host keeps its menus in memory and shares them with nobody.

#include <filesystem>

namespace addin {

/// The hosts that share this process's menus, this one included: the desktop hosts running on
/// this machine when this process is one, else 1.
long CountWordProcesses();

/// The processes of a process folder laid out as /proc is (a folder per process id holding a
/// "comm" file) whose command name is the desktop host's; those that cannot be read do not count.
long CountHostProcesses(const std::filesystem::path& processFolder);

}  // namespace addin
