#include "indexing/run_options.h"

#include <gtest/gtest.h>

#include "ui/constants.h"

namespace indexing {
namespace {

TEST(RunOptions, BoxesCountWhenTickedAndTheCapitalsAndDefinitionsOptionsOnlyWhenEnabled) {
  dialogs::frmVLX_COM form;
  form.optIndexWhat(0).SetValue(true);
  RunOptions plain = readRunOptions(form);
  EXPECT_FALSE(plain.matchCase);
  EXPECT_FALSE(plain.indexFullCaps);
  EXPECT_EQ(plain.indexType, "IndexAll");
  EXPECT_FALSE(plain.includeNotUsed);
  EXPECT_FALSE(plain.includeNotFound);

  form.chkCaseSensitive.SetValue(ui::vbChecked);
  form.chkIndexCaps.SetValue(ui::vbChecked);
  form.optIndexWhat(1).SetValue(true);
  form.chkIncludeNotUsed.SetValue(ui::vbChecked);
  form.chkIncludeNotFound.SetValue(ui::vbGrayed);  // only 1 is ticked
  RunOptions ticked = readRunOptions(form);
  EXPECT_TRUE(ticked.matchCase);
  EXPECT_TRUE(ticked.indexFullCaps);
  EXPECT_EQ(ticked.indexType, "IndexDefs");
  EXPECT_TRUE(ticked.includeNotUsed);
  EXPECT_FALSE(ticked.includeNotFound);

  form.chkIndexCaps.SetEnabled(false);
  form.optIndexWhat(1).SetEnabled(false);
  RunOptions disabled = readRunOptions(form);
  EXPECT_FALSE(disabled.indexFullCaps);
  EXPECT_EQ(disabled.indexType, "IndexAll");
}

TEST(RunOptions, ColumnsAreAWholeNumberFromOneToFour) {
  dialogs::frmVLX_COM form;
  // clang-format off
  const std::pair<const char*, std::optional<long>> cases[] = {
      {"1", 1}, {"4", 4}, {" 2 ", 2}, {"03", 3}, {"", std::nullopt}, {"   ", std::nullopt}, {"0", std::nullopt},
      {"5", std::nullopt}, {"40", std::nullopt}, {"-2", std::nullopt}, {"+2", std::nullopt}, {"2.0", std::nullopt},
      {"two", std::nullopt}, {"2\t", std::nullopt}, {"99999999999999999999", std::nullopt}};
  // clang-format on
  for (const auto& [text, expected] : cases) {
    form.txtCols.SetText(text);
    EXPECT_EQ(columnCount(form), expected) << '"' << text << '"';
  }
}

TEST(RunOptions, TheSeparatorTakesATabWhenAsked) {
  dialogs::frmVLX_COM form;
  form.txtSep.SetText(", ");
  EXPECT_EQ(separator(form), ", ");
  form.chkTabSep.SetValue(ui::vbChecked);
  EXPECT_EQ(separator(form), ", \t");
  form.txtSep.SetText("");
  EXPECT_EQ(separator(form), "\t");
}

}  // namespace
}  // namespace indexing
