#pragma once
// The Vellandex add-in's registration with the desktop host: the add-in's entry (friendly name,
// description, load behaviour) and the component entries of the add-in and of its engine, naming
// the libraries that this program was built or installed with.

#include <filesystem>
#include <vector>

#include "host/shell/registry.h"

namespace app::desktop {

/// The identifier of the add-in's connection class.
inline constexpr const char* kAddInProgId = "VLXDLLCOM.Connect";
/// The identifier of the engine class the add-in creates.
inline constexpr const char* kEngineProgId = "OSVLXDLL.clsOSVLXLib";
/// The registration file that `vellandex register` writes in a registry folder.
inline constexpr const char* kRegistrationFile = "vellandex.json";

/// The add-in's entry and the component entries of the add-in and its engine as the
/// registration files of componentsFolder give them; host::Error 429 when one is missing there
/// or its library is not where it says.
host::Registration AddInRegistration(const std::filesystem::path& componentsFolder);

/// Writes the registration into a registry folder (creating it); returns the file written.
/// host::Error 429 as AddInRegistration, 5273 when the file cannot be written.
std::filesystem::path RegisterAddIn(const std::filesystem::path& componentsFolder,
                                    const std::filesystem::path& registryFolder);

/// Removes the add-in's entry and its components' entries from every registration file of a
/// registry folder; returns the files that held any. Files that are not registration files are
/// left alone; host::Error 5273 when a file cannot be written.
std::vector<std::filesystem::path> UnregisterAddIn(const std::filesystem::path& registryFolder);

}  // namespace app::desktop
