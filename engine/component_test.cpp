#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "engine/osvlx_lib.h"
#include "host/platform/error.h"
#include "host/shell/registry.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_component.h"

namespace engine {
namespace {

using host::testing::TempFolder;

// A registry folder holding a copy of the registration the build wrote.
class EngineComponent : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(VLX_ENGINE_REGISTRATION, folder_ / "OSVLXDLL.json"); }
  TempFolder folder_;
};

TEST_F(EngineComponent, TheBuildRegistrationNamesThisLibraryAndItsFactory) {
  host::Registration registration = host::ReadRegistration(VLX_ENGINE_REGISTRATION);
  EXPECT_EQ(registration.components,
            (std::vector<host::ComponentEntry>{{kEngineProgId, VLX_ENGINE_LIBRARY, kEngineFactory}}));
  EXPECT_TRUE(std::filesystem::path(VLX_ENGINE_LIBRARY).is_absolute());
  EXPECT_TRUE(registration.addIns.empty());
}

TEST_F(EngineComponent, IsCreatedThroughTheRegistryByItsIdentifier) {
  host::ComponentRegistry registry({folder_.path()});
  std::shared_ptr<_clsOSVLXLib> engine = registry.CreateObject<_clsOSVLXLib>("osvlxdll.CLSOSVLXLIB");
  ASSERT_TRUE(engine);
  std::vector<std::string> terms{"a", "ccc", "bb"};
  EXPECT_EQ(engine->fncListSort(terms), (std::vector<std::string>{"ccc", "bb", "a"}));
  EXPECT_EQ(engine->fncBuildNotUsedNotFoundStrings({{"A", 1}, {"B", 0}}), (std::array<std::string, 2>{"A", "B"}));
}

TEST_F(EngineComponent, OffersNoOtherInterface) {
  EXPECT_EQ(vlx_create_engine(host::testing::Greeter::kInterfaceId), nullptr);
  EXPECT_EQ(vlx_create_engine(""), nullptr);
  EXPECT_EQ(vlx_create_engine(nullptr), nullptr);
  std::unique_ptr<_clsOSVLXLib> direct(static_cast<_clsOSVLXLib*>(vlx_create_engine(_clsOSVLXLib::kInterfaceId)));
  EXPECT_TRUE(direct);

  host::ComponentRegistry registry({folder_.path()});
  try {
    registry.CreateObject<host::testing::Greeter>(kEngineProgId);
    FAIL() << "created";
  } catch (const host::Error& e) {
    EXPECT_EQ(e.number(), host::kErrCannotCreateObject);
    EXPECT_NE(e.description().find("does not offer the interface \"host.testing.Greeter\""), std::string::npos)
        << e.description();
  }
}

}  // namespace
}  // namespace engine
