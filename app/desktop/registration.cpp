#include "app/desktop/registration.h"

#include <algorithm>

#include "host/platform/error.h"
#include "host/shell/addin_connection.h"

namespace app::desktop {

host::Registration AddInRegistration(const std::filesystem::path& componentsFolder) {
  const host::ComponentRegistry components({componentsFolder});
  host::Registration out;
  for (const char* id : {kAddInProgId, kEngineProgId}) {
    std::optional<host::ComponentEntry> entry = components.Find(id);
    if (!entry)
      throw host::Error(host::kErrCannotCreateObject, std::string("The component \"") + id +
                                                          "\" is not registered in " + componentsFolder.string() + ".");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(entry->library, ec))
      throw host::Error(host::kErrCannotCreateObject,
                        "The library " + entry->library.string() + " of the component \"" + id + "\" is missing.");
    out.components.push_back(*entry);
  }
  out.addIns.push_back({kAddInProgId, "Vellandex", "Vellandex add-in", host::kLoadAtStartup});
  return out;
}

std::filesystem::path RegisterAddIn(const std::filesystem::path& componentsFolder,
                                    const std::filesystem::path& registryFolder) {
  const host::Registration registration = AddInRegistration(componentsFolder);
  const std::filesystem::path file = registryFolder / kRegistrationFile;
  host::WriteRegistration(file, registration);
  return file;
}

std::vector<std::filesystem::path> UnregisterAddIn(const std::filesystem::path& registryFolder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(registryFolder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
    if (it->path().extension() == ".json") files.push_back(it->path());
  std::sort(files.begin(), files.end());
  std::vector<std::filesystem::path> changed;
  for (const std::filesystem::path& file : files) {
    try {
      if (host::RemoveRegistration(file, {kAddInProgId, kEngineProgId})) changed.push_back(file);
    } catch (const host::Error& e) {
      if (e.number() != host::kErrFileFormat) throw;  // the host skips such a file: it registers nothing
    }
  }
  return changed;
}

}  // namespace app::desktop
