#include "host/shell/registry.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/platform/files.h"
#include "host/testing/captured_warnings.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_component.h"

namespace host {
namespace {

using testing::EnvGuard;
using testing::Greeter;
using testing::TempFolder;

constexpr const char* kComponent = VLX_TEST_COMPONENT;

ComponentEntry greeter(const std::string& progId = "Test.Greeter", std::string library = kComponent,
                       std::string factory = "vlx_test_create") {
  return {progId, std::move(library), std::move(factory)};
}

// The error a creation fails with.
Error creationError(const ComponentRegistry& registry, const std::string& progId) {
  try {
    registry.CreateObject<Greeter>(progId);
  } catch (const Error& e) {
    return e;
  }
  return Error(0, "created");
}

TEST(ComponentRegistry, CreatesAnObjectByIdentifierThatKeepsItsLibraryLoaded) {
  TempFolder tmp;
  WriteRegistration(tmp / "test.json", {{greeter()}, {}});
  std::shared_ptr<Greeter> object;
  {
    ComponentRegistry registry({tmp.path()});
    object = registry.CreateObject<Greeter>("test.GREETER");  // identifiers ignore case
  }
  ASSERT_TRUE(object);
  EXPECT_EQ(object->Greet("world"), "Hello, world");
  void* stillLoaded = ::dlopen(kComponent, RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(stillLoaded, nullptr);
  if (stillLoaded) ::dlclose(stillLoaded);
}

TEST(ComponentRegistry, FailuresToCreateAreClearErrors) {
  TempFolder tmp;
  WriteRegistration(tmp / "test.json", {{greeter("No.Library", (tmp / "libmissing.so").string()),
                                         greeter("No.Factory", kComponent, "vlx_no_such_factory")},
                                        {}});
  ComponentRegistry registry({tmp.path()});

  Error missingId = creationError(registry, "Not.Registered");
  EXPECT_EQ(missingId.number(), kErrCannotCreateObject);
  EXPECT_NE(missingId.description().find("No component is registered as \"Not.Registered\""), std::string::npos);

  Error missingLibrary = creationError(registry, "No.Library");
  EXPECT_EQ(missingLibrary.number(), kErrCannotCreateObject);
  EXPECT_NE(missingLibrary.description().find("libmissing.so"), std::string::npos) << missingLibrary.description();

  Error missingSymbol = creationError(registry, "No.Factory");
  EXPECT_EQ(missingSymbol.number(), kErrCannotCreateObject);
  EXPECT_NE(missingSymbol.description().find("has no factory \"vlx_no_such_factory\""), std::string::npos);
}

TEST(ComponentRegistry, AnObjectWithoutTheAskedInterfaceIsRefused) {
  TempFolder tmp;
  WriteRegistration(tmp / "test.json", {{greeter()}, {}});
  ComponentRegistry registry({tmp.path()});
  try {
    registry.CreateObject<testing::Unoffered>("Test.Greeter");
    FAIL() << "created";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrCannotCreateObject);
    EXPECT_NE(e.description().find("host.testing.Unoffered"), std::string::npos);
  }
}

TEST(ComponentRegistry, ARelativeLibraryIsFoundBesideItsRegistrationFile) {
  TempFolder tmp;
  std::filesystem::create_directories(tmp / "registry");
  std::filesystem::copy_file(kComponent, tmp / "libcopy.so");
  WriteRegistration(tmp / "registry/test.json", {{greeter("Test.Greeter", "../libcopy.so")}, {}});
  ComponentRegistry registry({tmp / "registry"});
  EXPECT_EQ(registry.Find("Test.Greeter")->library, tmp / "libcopy.so");
  EXPECT_EQ(registry.CreateObject<Greeter>("Test.Greeter")->Greet("copy"), "Hello, copy");
}

TEST(ComponentRegistry, AnEarlierFolderWinsAndMissingFoldersAreSkipped) {
  TempFolder tmp;
  WriteRegistration(tmp / "user/a.json",
                    {{greeter("Shared.Id", "/user/lib.so")}, {{"VLXDLLCOM.Connect", "Mine", "", 0}}});
  WriteRegistration(tmp / "machine/a.json",
                    {{greeter("shared.id", "/machine/lib.so"), greeter("Machine.Only", "/machine/only.so")},
                     {{"vlxdllcom.connect", "Vellandex", "Vellandex add-in", 3}}});
  ComponentRegistry registry({tmp / "missing", tmp / "user", tmp / "machine"});
  EXPECT_EQ(registry.Find("Shared.Id")->library, "/user/lib.so");
  EXPECT_EQ(registry.Find("Machine.Only")->library, "/machine/only.so");
  ASSERT_EQ(registry.AddIns().size(), 1u);
  EXPECT_EQ(registry.AddIns()[0].friendlyName, "Mine");
  EXPECT_FALSE(registry.Find("Unknown"));
}

TEST(ComponentRegistry, ABadFileIsSkippedWithAWarningAndTheOthersCount) {
  TempFolder tmp;
  WriteFileAtomically(tmp / "a-bad.json", "{ \"components\": [");
  WriteFileAtomically(tmp / "b-bad.json", R"({"components": {"X.Y": {"library": "", "factory": "f"}}})");
  WriteFileAtomically(tmp / "c-bad.json", R"({"addIns": {"X.Y": {"FriendlyName": "x", "LoadBehavior": "3"}}})");
  WriteFileAtomically(tmp / "ignored.txt", "not a registration");
  WriteRegistration(tmp / "d-good.json", {{greeter()}, {}});
  testing::CapturedWarnings warnings;
  ComponentRegistry registry({tmp.path()});
  const std::string& said = warnings.text();
  for (const char* name : {"a-bad.json", "b-bad.json", "c-bad.json"})
    EXPECT_NE(said.find(name), std::string::npos) << said;
  EXPECT_EQ(said.find("ignored.txt"), std::string::npos);
  EXPECT_TRUE(registry.Find("Test.Greeter"));
  EXPECT_FALSE(registry.Find("X.Y"));
}

TEST(WriteRegistration, TheAddInsEntriesRoundTrip) {
  TempFolder tmp;
  const AddInEntry vellandex{"VLXDLLCOM.Connect", "Vellandex", "Vellandex add-in", 3};
  const ComponentEntry connect{"VLXDLLCOM.Connect", "/usr/lib/vellandex/libVLXDLLCOM.so", "vlx_create_connect"};
  WriteRegistration(tmp / "vellandex.json", {{connect}, {vellandex}});
  Registration read = ReadRegistration(tmp / "vellandex.json");
  EXPECT_EQ(read.components, std::vector<ComponentEntry>{connect});
  EXPECT_EQ(read.addIns, std::vector<AddInEntry>{vellandex});
}

TEST(WriteRegistration, KeepsOtherEntriesAndReplacesThoseOfTheSameIdentifier) {
  TempFolder tmp;
  const auto file = tmp / "vellandex.json";
  WriteRegistration(file, {{greeter("OSVLXDLL.clsOSVLXLib", "/old/engine.so"), greeter("VLXDLLCOM.Connect", "/a.so")},
                           {{"VLXDLLCOM.Connect", "Vellandex", "Vellandex add-in", 3}}});
  WriteRegistration(file, {{greeter("osvlxdll.CLSOSVLXLIB", "/new/engine.so")}, {}});
  Registration read = ReadRegistration(file);
  ASSERT_EQ(read.components.size(), 2u);
  EXPECT_EQ(read.components[0].progId, "VLXDLLCOM.Connect");
  EXPECT_EQ(read.components[1].progId, "osvlxdll.CLSOSVLXLIB");
  EXPECT_EQ(read.components[1].library, "/new/engine.so");
  EXPECT_EQ(read.addIns.size(), 1u);
}

TEST(WriteRegistration, LeavesAFileThatIsNotARegistrationAlone) {
  TempFolder tmp;
  for (const char* content : {"[1, 2, 3]", R"({"components": ["x"]})", "not json"}) {
    WriteFileAtomically(tmp / "other.json", content);
    try {
      WriteRegistration(tmp / "other.json", {{greeter()}, {}});
      FAIL() << content;
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), kErrFileFormat) << content;
    }
    EXPECT_EQ(ReadWholeFile(tmp / "other.json"), content);
  }
}

TEST(RemoveRegistration, RemovesTheEntriesOfTheIdentifiersAndTheFileOnceNothingIsLeft) {
  TempFolder tmp;
  const auto file = tmp / "vellandex.json";
  WriteRegistration(file, {{greeter("OSVLXDLL.clsOSVLXLib", "/e.so"), greeter("VLXDLLCOM.Connect", "/a.so"),
                            greeter("Other.Thing", "/o.so")},
                           {{"VLXDLLCOM.Connect", "Vellandex", "Vellandex add-in", 3}, {"Other.Thing", "", "", 3}}});
  EXPECT_TRUE(RemoveRegistration(file, {"vlxdllcom.connect", "OSVLXDLL.clsOSVLXLib"}));
  Registration read = ReadRegistration(file);
  ASSERT_EQ(read.components.size(), 1u);
  EXPECT_EQ(read.components[0].progId, "Other.Thing");
  ASSERT_EQ(read.addIns.size(), 1u);
  EXPECT_EQ(read.addIns[0].progId, "Other.Thing");

  EXPECT_FALSE(RemoveRegistration(file, {"VLXDLLCOM.Connect"}));  // nothing of it is left
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(RemoveRegistration(file, {"Other.Thing"}));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(RemoveRegistration(file, {"Other.Thing"}));  // a missing file holds nothing
}

TEST(RemoveRegistration, LeavesAFileThatIsNotARegistrationAlone) {
  TempFolder tmp;
  WriteFileAtomically(tmp / "other.json", R"({"addIns": "VLXDLLCOM.Connect"})");
  try {
    RemoveRegistration(tmp / "other.json", {"VLXDLLCOM.Connect"});
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrFileFormat);
  }
  EXPECT_EQ(ReadWholeFile(tmp / "other.json"), R"({"addIns": "VLXDLLCOM.Connect"})");
}

TEST(ComponentRegistry, DefaultFoldersAreTheProgramsThenTheUsersThenTheMachines) {
  EnvGuard xdg("XDG_CONFIG_HOME", "/home/u/.cfg");
  EnvGuard dirs("XDG_CONFIG_DIRS", "/etc/xdg:/opt/xdg");
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  EXPECT_EQ(ComponentRegistry::ProgramFolder(), program / "registry");
  EXPECT_EQ(
      ComponentRegistry::DefaultFolders(),
      (std::vector<std::filesystem::path>{program / "registry", "/home/u/.cfg/vellandex-host/registry",
                                          "/etc/xdg/vellandex-host/registry", "/opt/xdg/vellandex-host/registry"}));
  EXPECT_EQ(ComponentRegistry::UserFolder(), std::filesystem::path("/home/u/.cfg/vellandex-host/registry"));
}

}  // namespace
}  // namespace host
