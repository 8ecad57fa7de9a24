// The add-in's registration with the desktop host, as `vellandex register` and `unregister`
// write and remove it.
#include "app/desktop/registration.h"

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/platform/files.h"
#include "host/testing/temp_folder.h"

namespace app::desktop {
namespace {

namespace fs = std::filesystem;
using host::testing::TempFolder;

long errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const host::Error& e) {
    return e.number();
  }
  return 0;
}

TEST(Registration, NamesTheAddInAndTheComponentsThisProgramWasBuiltWith) {
  TempFolder tmp;
  const fs::path built = *host::ComponentRegistry::ProgramFolder();
  const fs::path file = RegisterAddIn(built, tmp / "registry");
  EXPECT_EQ(file, tmp / "registry" / "vellandex.json");
  const host::ComponentRegistry registered({tmp / "registry"});
  ASSERT_EQ(registered.AddIns().size(), 1u);
  EXPECT_EQ(registered.AddIns()[0], (host::AddInEntry{"VLXDLLCOM.Connect", "Vellandex", "Vellandex add-in", 3}));
  const host::ComponentRegistry components({built});
  for (const char* id : {kAddInProgId, kEngineProgId}) {
    ASSERT_TRUE(registered.Find(id)) << id;
    EXPECT_EQ(registered.Find(id), components.Find(id)) << id;
  }
}

TEST(Registration, RefusesComponentsThatAreMissingOrWhoseLibraryIsGone) {
  TempFolder tmp;
  EXPECT_EQ(errorOf([&] { AddInRegistration(tmp / "nothing"); }), host::kErrCannotCreateObject);
  host::WriteRegistration(
      tmp / "components" / "c.json",
      {{{kAddInProgId, tmp / "libVLXDLLCOM.so", "f"}, {kEngineProgId, tmp / "libOSVLXDLL.so", "f"}}, {}});
  try {
    RegisterAddIn(tmp / "components", tmp / "registry");
    FAIL();
  } catch (const host::Error& e) {
    EXPECT_EQ(e.description(), "The library " + (tmp / "libVLXDLLCOM.so").string() +
                                   " of the component \"VLXDLLCOM.Connect\" is missing.");
  }
  EXPECT_FALSE(fs::exists(tmp / "registry"));
}

TEST(Registration, UnregisteringRemovesTheEntriesFromEveryFileAndLeavesTheRestAlone) {
  TempFolder tmp;
  const fs::path folder = tmp / "registry";
  RegisterAddIn(*host::ComponentRegistry::ProgramFolder(), folder);
  host::WriteRegistration(folder / "old.json",
                          {{{kEngineProgId, "/old/libOSVLXDLL.so", "f"}, {"Other.Thing", "/o.so", "f"}},
                           {{kAddInProgId, "Vellandex", "", 3}}});
  host::WriteFileAtomically(folder / "broken.json", "not a registration");
  EXPECT_EQ(UnregisterAddIn(folder), (std::vector<fs::path>{folder / "old.json", folder / "vellandex.json"}));
  EXPECT_FALSE(fs::exists(folder / "vellandex.json"));
  const host::Registration left = host::ReadRegistration(folder / "old.json");
  ASSERT_EQ(left.components.size(), 1u);
  EXPECT_EQ(left.components[0].progId, "Other.Thing");
  EXPECT_TRUE(left.addIns.empty());
  EXPECT_EQ(host::ReadWholeFile(folder / "broken.json"), "not a registration");
  EXPECT_TRUE(UnregisterAddIn(folder).empty());
  EXPECT_TRUE(UnregisterAddIn(tmp / "missing").empty());
}

}  // namespace
}  // namespace app::desktop
