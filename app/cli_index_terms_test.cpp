// `vellandex index` choosing its terms (--only, --exclude, --add, --add-file) and reporting them
// (--report), from the outside.
#include <set>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/testing/program.h"

namespace app {
namespace {

using namespace app::testing;

// The contract the term tests index: three terms defined, one used twice, one not again.
void writeContract(const TempFolder& tmp) {
  writeDocx(
      tmp / "contract.docx",
      paragraphs(
          {"The \u201CSeller\u201D sells the \u201CGoods\u201D to the \u201CBuyer\u201D.",
           "The Seller delivers the Goods; the Buyer pays. Soci\u00E9t\u00E9 G\u00E9n\u00E9rale holds the deposit."}));
}

struct Indexed {
  Outcome run;
  nlohmann::json report;
};

Indexed indexContract(const TempFolder& tmp, const std::string& flags) {
  fs::remove(tmp / "report.json");
  fs::remove(tmp / "out.docx");
  Indexed out{vellandex(tmp, "index " + shellArg(tmp / "contract.docx") + " -o " + shellArg(tmp / "out.docx") +
                                 " --report " + shellArg(tmp / "report.json") + " " + flags),
              nullptr};
  if (fs::exists(tmp / "report.json")) out.report = nlohmann::json::parse(bytesOf(tmp / "report.json"));
  return out;
}

std::set<std::string> termsOf(const nlohmann::json& report) {
  std::set<std::string> out;
  for (const auto& term : report["terms"]) out.insert(term["term"].get<std::string>());
  return out;
}

TEST(IndexTerms, TheReportGivesCountsPagesListsAndTime) {
  TempFolder tmp;
  writeContract(tmp);
  Indexed all = indexContract(tmp, "");
  ASSERT_EQ(all.run.exitCode, 0) << all.run.all();
  const nlohmann::json& report = all.report;
  EXPECT_EQ(report["input"], (tmp / "contract.docx").string());
  EXPECT_EQ(report["output"], (tmp / "out.docx").string());
  ASSERT_EQ(report["terms"].size(), 3u) << report.dump();
  EXPECT_EQ(report["terms"][0], (nlohmann::json{{"term", "Buyer"}, {"count", 2}, {"pages", {"1"}}}));
  EXPECT_EQ(report["terms"][1], (nlohmann::json{{"term", "Goods"}, {"count", 2}, {"pages", {"1"}}}));
  EXPECT_EQ(report["terms"][2], (nlohmann::json{{"term", "Seller"}, {"count", 2}, {"pages", {"1"}}}));
  EXPECT_EQ(report["notUsed"], nlohmann::json::array());
  EXPECT_EQ(report["notFound"], nlohmann::json::array());
  EXPECT_TRUE(report["seconds"].is_number());
  EXPECT_GE(report["seconds"].get<double>(), 0.0);

  Indexed lists = indexContract(tmp, "--add 'Soci\u00E9t\u00E9 G\u00E9n\u00E9rale' --add Widget --no-not-found");
  ASSERT_EQ(lists.run.exitCode, 0) << lists.run.all();
  EXPECT_EQ(lists.report["notFound"], nullptr) << "the list was left out of the document";
  EXPECT_EQ(lists.report["notUsed"], nlohmann::json::array({"Soci\u00E9t\u00E9 G\u00E9n\u00E9rale"}))
      << lists.report.dump();
}

TEST(IndexTerms, OnlyExcludeAddAndTermListFilesChooseOnTheMainDialog) {
  TempFolder tmp;
  writeContract(tmp);
  writeFile(tmp / "only.txt", "Seller\r\nBuyer, Nowhere\r\n");
  writeFile(tmp / "exclude.TXT", "Goods\r\n");
  // Saved on Windows in its Western code page: the accents come back.
  writeFile(tmp / "western.txt", "Soci\xE9t\xE9 G\xE9n\xE9rale\r\n");
  writeFile(tmp / "empty.txt", "");

  Indexed only = indexContract(tmp, "--only " + shellArg(tmp / "only.txt"));
  ASSERT_EQ(only.run.exitCode, 0) << only.run.all();
  EXPECT_EQ(termsOf(only.report), (std::set<std::string>{"Buyer", "Seller"}));

  Indexed exclude = indexContract(tmp, "--exclude " + shellArg(tmp / "exclude.TXT"));
  ASSERT_EQ(exclude.run.exitCode, 0) << exclude.run.all();
  EXPECT_EQ(termsOf(exclude.report), (std::set<std::string>{"Buyer", "Seller"}));

  Indexed added = indexContract(tmp, "--only " + shellArg(tmp / "only.txt") + " --exclude " +
                                         shellArg(tmp / "exclude.TXT") + " --add-file " +
                                         shellArg(tmp / "western.txt") + " --add Seller --add 'Deposit'");
  ASSERT_EQ(added.run.exitCode, 0) << added.run.all();
  EXPECT_EQ(termsOf(added.report), (std::set<std::string>{"Buyer", "Seller", "Soci\u00E9t\u00E9 G\u00E9n\u00E9rale"}));
  EXPECT_NE(added.run.errors.find("Already on list: Seller is already in the list of defined terms."),
            std::string::npos)
      << added.run.errors;
  EXPECT_EQ(added.report["notUsed"], nlohmann::json::array({"Soci\u00E9t\u00E9 G\u00E9n\u00E9rale"}));
  EXPECT_EQ(added.report["notFound"], nlohmann::json::array({"Deposit"}));

  Indexed emptyAdd = indexContract(tmp, "--add-file " + shellArg(tmp / "empty.txt"));
  ASSERT_EQ(emptyAdd.run.exitCode, 0) << emptyAdd.run.all();
  EXPECT_NE(emptyAdd.run.errors.find("empty.txt adds no terms"), std::string::npos) << emptyAdd.run.errors;
  EXPECT_EQ(termsOf(emptyAdd.report), (std::set<std::string>{"Buyer", "Goods", "Seller"}));

  Indexed emptyOnly = indexContract(tmp, "--only " + shellArg(tmp / "empty.txt"));
  EXPECT_EQ(emptyOnly.run.exitCode, 2) << emptyOnly.run.all();
  EXPECT_NE(emptyOnly.run.errors.find("contract.docx: nothing to index: no terms were chosen"), std::string::npos)
      << emptyOnly.run.errors;
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));
  EXPECT_FALSE(fs::exists(tmp / "report.json"));
}

TEST(IndexTerms, TermListsAndTermsThatCannotBeUsedAreRefusedBeforeAnythingIsDone) {
  TempFolder tmp;
  writeContract(tmp);
  writeFile(tmp / "terms.csv", "Seller\r\n");
  writeFile(tmp / "controls.txt",
            "Goods\r\nBuy\x02"
            "er\r\n");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--only " + shellArg(tmp / "terms.csv"), "a term list file's name ends in .txt"},
      {"--exclude " + shellArg(tmp / "missing.txt"), "missing.txt: the file cannot be read"},
      {"--add-file " + shellArg(tmp.path()), "a term list file's name ends in .txt"},
      {"--report " + shellArg(tmp / "no" / "report.json"), "does not exist"},
      {"--add \"$(printf 'Sel\\001ler')\"", "the term \"Sel\\x01ler\" holds a control character"},
      {"--add-file " + shellArg(tmp / "controls.txt"), "the term \"Buy\\x02er\" holds a control character"},
      {"--add \"$(printf 'Sel\\357\\277\\276ler')\"", "holds the character U+FFFE, which a document cannot hold"},
      {"--add \"$(printf 'Sel\\377ler')\"", "the term \"Sel\\xFFler\" holds bytes that are not UTF-8"},
  };
  for (const auto& [flags, says] : cases) {
    Outcome run = vellandex(
        tmp, "index " + shellArg(tmp / "contract.docx") + " -o " + shellArg(tmp / "out.docx") + " " + flags);
    EXPECT_EQ(run.exitCode, 1) << flags << "\n" << run.all();
    EXPECT_NE(run.errors.find(says), std::string::npos) << flags << "\n" << run.errors;
    EXPECT_FALSE(fs::exists(tmp / "out.docx")) << flags;
  }
}

TEST(IndexTerms, ADocumentThatDefinesNothingIsRefused) {
  TempFolder tmp;
  writeDocx(tmp / "plain.docx", paragraphs({"Nothing here is defined."}));
  Outcome run = vellandex(tmp, "index " + shellArg(tmp / "plain.docx") + " -o " + shellArg(tmp / "out.docx"));
  EXPECT_EQ(run.exitCode, 2) << run.all();
  EXPECT_NE(run.errors.find("plain.docx: nothing to index: no defined terms were found"), std::string::npos)
      << run.errors;
  EXPECT_FALSE(fs::exists(tmp / "out.docx"));
  // An added term is something to index all the same.
  Outcome added = vellandex(
      tmp, "index " + shellArg(tmp / "plain.docx") + " -o " + shellArg(tmp / "out.docx") + " --add Nothing");
  EXPECT_EQ(added.exitCode, 0) << added.all();
}

}  // namespace
}  // namespace app
