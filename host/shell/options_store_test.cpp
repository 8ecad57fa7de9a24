#include "host/shell/options_store.h"

#include <gtest/gtest.h>

#include "host/platform/error.h"
#include "host/platform/files.h"
#include "host/testing/captured_warnings.h"
#include "host/testing/temp_folder.h"

namespace host {
namespace {

using testing::TempFolder;

Options allChanged() {
  Options o;
  o.AutoFormatAsYouTypeReplaceQuotes = false;
  o.ReplaceQuotesChosen = true;
  o.Pagination = false;
  o.DefaultHighlightColorIndex = 4;
  o.AllowFastSave = true;
  o.CheckSpellingAsYouType = false;
  o.CheckGrammarAsYouType = false;
  return o;
}

// Loads a file of the given content, returning the options and the warnings given.
std::pair<Options, std::string> loadText(const TempFolder& tmp, const std::string& content) {
  WriteFileAtomically(tmp / "options.json", content);
  testing::CapturedWarnings warnings;
  Options o = LoadOptions(tmp / "options.json");
  return {o, warnings.text()};
}

TEST(OptionsStore, AMissingFileGivesTheDefaultsSilently) {
  TempFolder tmp;
  testing::CapturedWarnings warnings;
  EXPECT_EQ(LoadOptions(tmp / "options.json"), Options{});
  EXPECT_EQ(warnings.text(), "");
}

TEST(OptionsStore, EveryOptionSurvivesSaveAndLoad) {
  TempFolder tmp;
  ASSERT_NE(allChanged(), Options{});
  SaveOptions(tmp / "sub/options.json", allChanged());
  EXPECT_EQ(LoadOptions(tmp / "sub/options.json"), allChanged());
}

TEST(OptionsStore, AMalformedFileGivesTheDefaultsWithAWarning) {
  TempFolder tmp;
  for (const char* bad : {"{ \"Pagination\": fals", "[1, 2]", "", "\xff\xfe"}) {
    auto [options, said] = loadText(tmp, bad);
    EXPECT_EQ(options, Options{}) << bad;
    EXPECT_NE(said.find("not a valid options file"), std::string::npos) << bad << ": " << said;
  }
}

TEST(OptionsStore, AnUnreadableFileGivesTheDefaultsWithAWarning) {
  TempFolder tmp;
  std::filesystem::create_directory(tmp / "options.json");
  testing::CapturedWarnings warnings;
  EXPECT_EQ(LoadOptions(tmp / "options.json"), Options{});
  EXPECT_NE(warnings.text().find("cannot be read"), std::string::npos);
}

TEST(OptionsStore, AValueOfTheWrongKindKeepsOnlyThatOptionsDefault) {
  TempFolder tmp;
  auto [options, said] = loadText(tmp, R"({"Pagination": "no", "AllowFastSave": true, "Unknown": 1})");
  EXPECT_TRUE(options.Pagination);
  EXPECT_TRUE(options.AllowFastSave);
  EXPECT_NE(said.find("Pagination"), std::string::npos);
  EXPECT_EQ(said.find("Unknown"), std::string::npos);
}

TEST(OptionsStore, AHighlightColourOutOfRangeKeepsTheDefault) {
  TempFolder tmp;
  for (const char* value : {"17", "-1", "3.5", "\"7\""}) {
    auto [options, said] = loadText(tmp, std::string(R"({"DefaultHighlightColorIndex": )") + value + "}");
    EXPECT_EQ(options.DefaultHighlightColorIndex, Options{}.DefaultHighlightColorIndex) << value;
    EXPECT_NE(said.find("DefaultHighlightColorIndex"), std::string::npos) << value;
  }
  EXPECT_EQ(loadText(tmp, R"({"DefaultHighlightColorIndex": 0})").first.DefaultHighlightColorIndex, 0);
  EXPECT_EQ(loadText(tmp, R"({"DefaultHighlightColorIndex": 16})").first.DefaultHighlightColorIndex, 16);
}

TEST(OptionsStore, AFileThatCannotBeWrittenIsAnError) {
  TempFolder tmp;
  std::filesystem::create_directory(tmp / "options.json");
  try {
    SaveOptions(tmp / "options.json", allChanged());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrFileAccess);
  }
}

}  // namespace
}  // namespace host
