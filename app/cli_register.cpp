#include <iostream>

#include "app/batch_session.h"
#include "app/cli.h"
#include "app/desktop/registration.h"
#include "app/exit_codes.h"
#include "host/platform/config_dirs.h"
#include "host/shell/registry.h"

namespace app {
namespace {

std::filesystem::path userRegistryFolder() {
  std::optional<std::filesystem::path> folder = host::ComponentRegistry::UserFolder();
  if (!folder) throw BatchFailure{kExitBadInput, "there is no configuration folder: set HOME or XDG_CONFIG_HOME"};
  return *folder;
}

void runRegister() {
  std::optional<std::filesystem::path> components = host::ComponentRegistry::ProgramFolder();
  if (!components) throw BatchFailure{kExitInternal, "the program cannot find its own folder"};
  const std::filesystem::path file = desktop::RegisterAddIn(*components, userRegistryFolder());
  std::cout << "Registered the Vellandex add-in in " << file.string()
            << "; the desktop host (vellandex with no sub-command) loads it when it starts\n";
}

void runUnregister() {
  const std::filesystem::path folder = userRegistryFolder();
  const std::vector<std::filesystem::path> changed = desktop::UnregisterAddIn(folder);
  if (changed.empty()) std::cout << "The Vellandex add-in was not registered in " << folder.string() << "\n";
  for (const std::filesystem::path& file : changed)
    std::cout << "Removed the Vellandex add-in's registration from " << file.string() << "\n";
  for (const std::filesystem::path& dir : host::SystemConfigDirs()) {
    const host::ComponentRegistry machine({dir / host::kRegistryFolder});
    for (const host::AddInEntry& entry : machine.AddIns())
      if (entry.progId == desktop::kAddInProgId)
        std::cout << "It stays registered for every user of this machine in " << (dir / host::kRegistryFolder).string()
                  << "\n";
  }
}

}  // namespace

void addRegisterCommands(CLI::App& cli) {
  cli.add_subcommand("register", "Register the Vellandex add-in, so that the desktop host loads it when it starts")
      ->callback(runRegister);
  cli.add_subcommand("unregister", "Remove the Vellandex add-in's registration from your configuration folder")
      ->callback(runUnregister);
}

}  // namespace app
