// `vellandex remove`, `unhighlight` and `update` from the outside: each clicks the add-in's own
// command on the document and saves the result to -o or in place, once it has succeeded.
#include <gtest/gtest.h>

#include "app/testing/program.h"
#include "host/model/document.h"

namespace app {
namespace {

using namespace app::testing;

std::string dumpOf(const TempFolder& tmp, const fs::path& file) {
  return vellandex(tmp, "dump " + shellArg(file)).output;
}

TEST(RemoveCommand, GivesTheDocumentBackAndLeavesAnUnindexedOneAsItWas) {
  TempFolder tmp;
  // The index at the end of the text starts a paragraph of its own; removing it takes that too.
  ASSERT_EQ(vellandex(tmp, "index " + shellArg(kSample) + " -o " + shellArg(tmp / "indexed.docx")).exitCode, 0);
  const std::string before = bytesOf(tmp / "indexed.docx");
  Outcome removed = vellandex(tmp,
                              "remove " + shellArg(tmp / "indexed.docx") + " -o " + shellArg(tmp / "removed.docx"));
  ASSERT_EQ(removed.exitCode, 0) << removed.all();
  EXPECT_EQ(removed.output, "Removed the indexing of " + (tmp / "indexed.docx").string() + "; saved " +
                                (tmp / "removed.docx").string() + "\n");
  EXPECT_EQ(dumpOf(tmp, tmp / "removed.docx"), dumpOf(tmp, kSample));
  EXPECT_EQ(bytesOf(tmp / "indexed.docx"), before);

  Outcome twice = vellandex(tmp, "remove " + shellArg(tmp / "removed.docx") + " --in-place");
  ASSERT_EQ(twice.exitCode, 0) << twice.all();
  EXPECT_EQ(dumpOf(tmp, tmp / "removed.docx"), dumpOf(tmp, kSample));
  EXPECT_EQ(filesIn(tmp.path()), (std::vector<std::string>{"indexed.docx", "removed.docx"}))
      << "nothing else is written, not even the user's settings";
}

TEST(UnhighlightCommand, TakesTheMarkingColoursAwayAndKeepsTheIndex) {
  TempFolder tmp;
  ASSERT_EQ(vellandex(tmp, "index " + shellArg(kSample) + " -o " + shellArg(tmp / "indexed.docx")).exitCode, 0);
  Outcome plain = vellandex(tmp,
                            "unhighlight " + shellArg(tmp / "indexed.docx") + " -o " + shellArg(tmp / "plain.docx"));
  ASSERT_EQ(plain.exitCode, 0) << plain.all();
  EXPECT_NE(plain.errors.find("Done: Highlighting removed from indexed terms."), std::string::npos) << plain.errors;
  EXPECT_LT(countOf(mainPartXml(tmp / "plain.docx"), "<w:highlight "),
            countOf(mainPartXml(tmp / "indexed.docx"), "<w:highlight "));
  EXPECT_EQ(countOf(dumpOf(tmp, tmp / "plain.docx"), "{ XE "), countOf(dumpOf(tmp, tmp / "indexed.docx"), "{ XE "));
  EXPECT_GT(countOf(dumpOf(tmp, tmp / "plain.docx"), "{ XE "), 0u);
}

TEST(UpdateCommand, UpdatesAnIndexAndRefusesADocumentWithout) {
  TempFolder tmp;
  ASSERT_EQ(vellandex(tmp, "index " + shellArg(kSample) + " -o " + shellArg(tmp / "indexed.docx")).exitCode, 0);
  Outcome updated = vellandex(tmp,
                              "update " + shellArg(tmp / "indexed.docx") + " -o " + shellArg(tmp / "updated.docx"));
  ASSERT_EQ(updated.exitCode, 0) << updated.all();
  EXPECT_NE(updated.errors.find("Update only?: Click Yes if you want to update"), std::string::npos) << updated.errors;
  EXPECT_NE(updated.errors.find("Done: Defined terms index updated."), std::string::npos) << updated.errors;
  const std::string shown = dumpOf(tmp, tmp / "updated.docx");
  EXPECT_NE(shown.find("INDEX OF DEFINED TERMS"), std::string::npos);
  EXPECT_EQ(countOf(shown, "{ XE "), countOf(dumpOf(tmp, tmp / "indexed.docx"), "{ XE "));
  EXPECT_EQ(countOf(shown, "{ INDEX "), 1u);

  Outcome none = vellandex(tmp, "update " + shellArg(kSample) + " -o " + shellArg(tmp / "none.docx"));
  EXPECT_EQ(none.exitCode, 2) << none.all();
  EXPECT_NE(none.errors.find("has no defined terms index to update"), std::string::npos) << none.errors;
  EXPECT_FALSE(fs::exists(tmp / "none.docx"));
}

}  // namespace
}  // namespace app
