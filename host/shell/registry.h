#pragma once
// Component creation by programmatic identifier and the host's add-in entries. Registration
// files (JSON) map an identifier such as "VLXDLLCOM.Connect" to a shared library and the name of
// its factory, and give the host's entries of each add-in (friendly name, description, load
// behaviour). They live in the "registry" folder of the host's per-user folder and of its
// machine-wide folders; the per-user entry of an identifier wins.
//
// A factory is an extern "C" function `void* factory(const char* interfaceId)` that returns a new
// object as a pointer to the interface whose id it is given, or null when the object does not
// offer that interface. An interface is a class with a virtual destructor and a
// `static constexpr const char* kInterfaceId`.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

/// The name of the folder of registration files inside each of the host's folders.
inline constexpr const char* kRegistryFolder = "registry";

/// The signature of a component factory.
using ComponentFactory = void* (*)(const char* interfaceId);

/// Where a component's factory lives.
struct ComponentEntry {
  std::string progId;
  std::filesystem::path library;  // absolute once read (relative paths name the file's folder)
  std::string factory;            // the factory's symbol
  bool operator==(const ComponentEntry&) const = default;
};

/// The host's entry for an add-in.
struct AddInEntry {
  std::string progId;  // the identifier of the add-in's connection class
  std::string friendlyName;
  std::string description;
  int loadBehavior = 0;  // 3: loaded at the host's start-up
  bool operator==(const AddInEntry&) const = default;
};

/// What one registration file holds.
struct Registration {
  std::vector<ComponentEntry> components;
  std::vector<AddInEntry> addIns;
};

/// Reads a registration file; host::Error 5792 when it cannot be read or is malformed.
Registration ReadRegistration(const std::filesystem::path& file);

/// Adds entries to a registration file (creating it), replacing those of the same identifiers
/// and keeping the others; the file is replaced at once. host::Error 5273 when it cannot be
/// written, 5792 when the file there is not a registration file (it is left as it is).
void WriteRegistration(const std::filesystem::path& file, const Registration& entries);

/// Removes the component and add-in entries of these identifiers (compared without regard to
/// case) from a registration file, deleting the file when no entry is left; true when it held
/// any. A missing file holds none. host::Error 5273 when the file cannot be written or deleted,
/// 5792 when it is not a registration file (it is left as it is).
bool RemoveRegistration(const std::filesystem::path& file, const std::vector<std::string>& progIds);

/// The registered components and add-ins, and creation of objects by identifier.
class ComponentRegistry {
 public:
  /// Reads every *.json file of the folders (missing folders are skipped; a bad file is skipped
  /// with a warning); an identifier's entry in an earlier folder, or an earlier file by name,
  /// wins.
  explicit ComponentRegistry(const std::vector<std::filesystem::path>& folders);
  /// The "registry" folder beside the running program (the components it was built or installed
  /// with, so that a program never creates another build's), then those of the host's per-user
  /// folder and of its machine-wide folders.
  static std::vector<std::filesystem::path> DefaultFolders();
  /// The "registry" folder beside the running program; none when the program cannot be found.
  static std::optional<std::filesystem::path> ProgramFolder();
  /// The "registry" folder of the host's per-user folder (where a user's registration goes),
  /// if the user has one.
  static std::optional<std::filesystem::path> UserFolder();

  /// The entry of an identifier (compared without regard to case), if registered.
  std::optional<ComponentEntry> Find(const std::string& progId) const;
  /// The registered add-ins.
  const std::vector<AddInEntry>& AddIns() const { return addIns_; }

  /// Creates an object by identifier, as the interface the caller knows. The library stays
  /// loaded while the object lives. host::Error 429 when the identifier is not registered, the
  /// library cannot be loaded, it has no such factory or the object lacks the interface.
  template <typename Interface>
  std::shared_ptr<Interface> CreateObject(const std::string& progId) const {
    Created made = create(progId, Interface::kInterfaceId);
    return std::shared_ptr<Interface>(static_cast<Interface*>(made.object),
                                      [library = std::move(made.library)](Interface* p) { delete p; });
  }

 private:
  struct Created {
    void* object;
    std::shared_ptr<void> library;
  };
  Created create(const std::string& progId, const char* interfaceId) const;

  std::vector<ComponentEntry> components_;
  std::vector<AddInEntry> addIns_;
};

}  // namespace host
