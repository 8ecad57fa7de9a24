#include "host/shell/registry.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>

#include <nlohmann/json.hpp>

#include "host/platform/config_dirs.h"
#include "host/platform/error.h"
#include "host/platform/files.h"
#include "host/platform/warnings.h"

namespace host {

namespace {

using nlohmann::json;

bool sameId(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

Error malformed(const std::filesystem::path& file, const std::string& why) {
  return Error(kErrFileFormat, file.string() + " is not a valid registration file: " + why + ".");
}

const json& section(const json& root, const char* name, const std::filesystem::path& file) {
  static const json empty = json::object();
  auto it = root.find(name);
  if (it == root.end()) return empty;
  if (!it->is_object()) throw malformed(file, std::string("\"") + name + "\" is not an object");
  return *it;
}

std::string text(const json& entry, const char* key, const std::string& id, const std::filesystem::path& file,
                 bool required) {
  auto it = entry.find(key);
  if (it == entry.end() && !required) return "";
  if (it == entry.end() || !it->is_string() || (required && it->get<std::string>().empty()))
    throw malformed(file, "the entry of \"" + id + "\" needs a text \"" + key + "\"");
  return it->get<std::string>();
}

// The file's JSON object; none when there is no file.
std::optional<json> readJson(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  std::optional<std::string> content = ReadWholeFile(file);
  if (!content) throw Error(kErrFileFormat, file.string() + " cannot be read.");
  json root = json::parse(*content, nullptr, false);
  if (root.is_discarded() || !root.is_object()) throw malformed(file, "it is not a JSON object");
  return root;
}

// Sets key in an object, replacing a key that differs only in case.
void put(json& object, const std::string& key, json value) {
  for (auto it = object.begin(); it != object.end();) {
    if (sameId(it.key(), key)) it = object.erase(it);
    else ++it;
  }
  object[key] = std::move(value);
}

}  // namespace

Registration ReadRegistration(const std::filesystem::path& file) {
  std::optional<json> root = readJson(file);
  if (!root) throw Error(kErrFileFormat, file.string() + " does not exist.");
  const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
  Registration out;
  for (const auto& [id, entry] : section(*root, "components", file).items()) {
    if (!entry.is_object()) throw malformed(file, "the entry of \"" + id + "\" is not an object");
    std::filesystem::path library = text(entry, "library", id, file, true);
    if (library.is_relative()) library = (folder / library).lexically_normal();
    out.components.push_back({id, library, text(entry, "factory", id, file, true)});
  }
  for (const auto& [id, entry] : section(*root, "addIns", file).items()) {
    if (!entry.is_object()) throw malformed(file, "the entry of \"" + id + "\" is not an object");
    auto load = entry.find("LoadBehavior");
    if (load == entry.end() || !load->is_number_integer())
      throw malformed(file, "the add-in \"" + id + "\" needs a whole number \"LoadBehavior\"");
    out.addIns.push_back({id, text(entry, "FriendlyName", id, file, false), text(entry, "Description", id, file, false),
                          load->get<int>()});
  }
  return out;
}

void WriteRegistration(const std::filesystem::path& file, const Registration& entries) {
  json root = readJson(file).value_or(json::object());
  for (const char* name : {"components", "addIns"}) {
    section(root, name, file);  // refuses a file whose sections are not objects
    if (!root.contains(name)) root[name] = json::object();
  }
  for (const ComponentEntry& c : entries.components)
    put(root["components"], c.progId, {{"library", c.library.string()}, {"factory", c.factory}});
  for (const AddInEntry& a : entries.addIns)
    put(root["addIns"], a.progId,
        {{"FriendlyName", a.friendlyName}, {"Description", a.description}, {"LoadBehavior", a.loadBehavior}});
  WriteFileAtomically(file, root.dump(2) + "\n");
}

bool RemoveRegistration(const std::filesystem::path& file, const std::vector<std::string>& progIds) {
  std::optional<json> root = readJson(file);
  if (!root) return false;
  bool removed = false;
  bool left = false;
  for (const char* name : {"components", "addIns"}) {
    section(*root, name, file);  // refuses a file whose sections are not objects
    if (!root->contains(name)) continue;
    json& entries = (*root)[name];
    for (auto it = entries.begin(); it != entries.end();) {
      const std::string id = it.key();
      if (std::any_of(progIds.begin(), progIds.end(), [&](const std::string& p) { return sameId(p, id); })) {
        it = entries.erase(it);
        removed = true;
      } else {
        ++it;
      }
    }
    left = left || !entries.empty();
  }
  if (!removed) return false;
  if (left) {
    WriteFileAtomically(file, root->dump(2) + "\n");
    return true;
  }
  std::error_code ec;
  if (!std::filesystem::remove(file, ec) && ec)
    throw Error(kErrFileAccess, file.string() + " cannot be removed: " + ec.message() + ".");
  return true;
}

ComponentRegistry::ComponentRegistry(const std::vector<std::filesystem::path>& folders) {
  for (const std::filesystem::path& folder : folders) {
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec))
      if (std::error_code typeError; it->path().extension() == ".json" && it->is_regular_file(typeError))
        files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
      Registration r;
      try {
        r = ReadRegistration(file);
      } catch (const Error& e) {
        WarnSettings(e.description() + " It is skipped.");
        continue;
      }
      for (ComponentEntry& c : r.components)
        if (!Find(c.progId)) components_.push_back(std::move(c));
      for (AddInEntry& a : r.addIns) {
        auto known = [&](const AddInEntry& b) { return sameId(a.progId, b.progId); };
        if (std::none_of(addIns_.begin(), addIns_.end(), known)) addIns_.push_back(std::move(a));
      }
    }
  }
}

std::optional<std::filesystem::path> ComponentRegistry::ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || program.empty()) return std::nullopt;
  return program.parent_path() / kRegistryFolder;
}

std::vector<std::filesystem::path> ComponentRegistry::DefaultFolders() {
  std::vector<std::filesystem::path> out;
  if (auto program = ProgramFolder()) out.push_back(*program);
  if (auto user = UserFolder()) out.push_back(*user);
  for (const auto& dir : SystemConfigDirs()) out.push_back(dir / kRegistryFolder);
  return out;
}

std::optional<std::filesystem::path> ComponentRegistry::UserFolder() {
  std::optional<std::filesystem::path> user = UserConfigDir();
  if (!user) return std::nullopt;
  return *user / kRegistryFolder;
}

std::optional<ComponentEntry> ComponentRegistry::Find(const std::string& progId) const {
  for (const ComponentEntry& c : components_)
    if (sameId(c.progId, progId)) return c;
  return std::nullopt;
}

ComponentRegistry::Created ComponentRegistry::create(const std::string& progId, const char* interfaceId) const {
  std::optional<ComponentEntry> entry = Find(progId);
  if (!entry) throw Error(kErrCannotCreateObject, "No component is registered as \"" + progId + "\".");
  void* handle = ::dlopen(entry->library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = ::dlerror();
    throw Error(kErrCannotCreateObject,
                "The component \"" + progId + "\" cannot be loaded: " + (why ? why : entry->library.string()) + ".");
  }
  std::shared_ptr<void> library(handle, [](void* h) { ::dlclose(h); });
  auto factory = reinterpret_cast<ComponentFactory>(::dlsym(handle, entry->factory.c_str()));
  if (!factory)
    throw Error(kErrCannotCreateObject, "The library " + entry->library.string() + " of the component \"" + progId +
                                            "\" has no factory \"" + entry->factory + "\".");
  void* object = factory(interfaceId);
  if (!object)
    throw Error(kErrCannotCreateObject,
                "The component \"" + progId + "\" does not offer the interface \"" + interfaceId + "\".");
  return {object, std::move(library)};
}

}  // namespace host
