// Our indexed documents in programs no one here wrote. LibreOffice opens them through its UNO
// bridge and updates their indexes itself: the terms and pages it shows must be ours, exactly
// where page breaks fix the pages, and within one page for at least 90% of the entries on
// flowing text (the share is printed). python-docx reads each of them without an error or a
// warning. Skips when LibreOffice or Debian's python3-uno or python3-docx is missing.
#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "app/testing/program.h"
#include "host/builder/docx_builder.h"
#include "host/testing/other_programs.h"

namespace app {
namespace {

using namespace app::testing;
using host::testing::missingOtherPrograms;
using host::testing::readWithPythonDocx;
using host::testing::updateIndexesInLibreOffice;

// Term -> the pages it is listed with.
using Pages = std::map<std::string, std::vector<int>>;

// The page numbers of a list such as "2, 3, 7" ({} when something else is in it).
std::vector<int> pageList(const std::string& text) {
  std::vector<int> pages;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ',');) {
    const std::size_t first = item.find_first_not_of(" \t"), last = item.find_last_not_of(" \t");
    if (first == std::string::npos) return {};
    item = item.substr(first, last - first + 1);
    if (item.find_first_not_of("0123456789") != std::string::npos || item.size() > 6) return {};
    pages.push_back(std::stoi(item));
  }
  return pages;
}

// What our report gives each term.
Pages ourPages(const fs::path& report) {
  Pages pages;
  const nlohmann::json json = nlohmann::json::parse(bytesOf(report));
  for (const auto& term : json["terms"]) {
    std::vector<int>& list = pages[term["term"].get<std::string>()];
    for (const auto& page : term["pages"]) list.push_back(std::stoi(page.get<std::string>()));
  }
  return pages;
}

// What LibreOffice's updated index gives each of the terms, from every line that names it:
// "Term<tab>2" (LibreOffice reads an index with an identifier as one that lists each entry on a
// line of its own, in the document's order), "Term: 2, 3" or "Term, 2, 3".
Pages theirPages(const std::string& index, const Pages& terms) {
  Pages pages;
  std::stringstream lines(index);
  for (std::string line; std::getline(lines, line);) {
    for (const auto& [term, ours] : terms) {
      if (!line.starts_with(term)) continue;
      std::size_t at = term.size();
      while (at < line.size() && std::string(":,\t ").find(line[at]) != std::string::npos) ++at;
      const std::vector<int> list = pageList(line.substr(at));
      if (at == term.size() || list.empty()) continue;
      std::vector<int>& all = pages[term];
      all.insert(all.end(), list.begin(), list.end());
      std::sort(all.begin(), all.end());
      all.erase(std::unique(all.begin(), all.end()), all.end());
    }
  }
  return pages;
}

struct Score {
  int entries = 0, exact = 0, withinOne = 0;
  int differentTerms = 0;  // terms whose pages are not the same list in both
  // Each of our (term, page) entries against the nearest page LibreOffice lists for the term.
  void add(const std::string& name, const Pages& ours, const Pages& theirs) {
    for (const auto& [term, pages] : ours) {
      auto it = theirs.find(term);
      if (it != theirs.end() && it->second != pages) ++differentTerms;
      for (int page : pages) {
        ++entries;
        if (it == theirs.end()) continue;
        int nearest = 1 << 20;
        for (int p : it->second) nearest = std::min(nearest, std::abs(p - page));
        exact += nearest == 0;
        withinOne += nearest <= 1;
        if (nearest > 1) std::cout << name << ": " << term << " on page " << page << " is not in LibreOffice's index\n";
      }
    }
  }
  double share(int n) const { return entries ? static_cast<double>(n) / entries : 0; }
};

// A contract whose pages are fixed by page breaks: definitions on the first page, then pages
// far shorter than a page, each using a few of the terms, some in footnotes.
host::DocxBuilder fixedPagesContract() {
  static const char* kTerms[] = {
      "Agreement", "Supplier",  "Customer",     "Services",      "Fees", "Confidential Information",
      "Term",      "Territory", "Deliverables", "Effective Date"};
  host::DocxBuilder b;
  b.startParagraph(host::DocxBuilder::Style::Heading1);
  b.addRun("Definitions");
  for (const char* term : kTerms) {
    b.startParagraph();
    b.addRun(std::string("\u201C") + term + "\u201D means the " + term + " as agreed in writing between the parties.");
  }
  for (int page = 0; page < 24; ++page) {
    b.startParagraph();
    b.addPageBreak();
    b.startParagraph(host::DocxBuilder::Style::Heading2);
    b.addRun("Clause " + std::to_string(page + 1));
    b.startParagraph();
    b.addRun(std::string("Under this clause the ") + kTerms[page % 10] + " and the " + kTerms[(page * 3 + 1) % 10] +
             " are governed by the laws of the Territory.");
    if (page % 4 == 1) b.addFootnote({{std::string("See the ") + kTerms[(page + 5) % 10] + ".", {}}});
  }
  return b;
}

class RealClients : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string missing = missingOtherPrograms();
    if (!missing.empty()) GTEST_SKIP() << missing;
  }

  // Indexes each document with the default options; the indexed copies and our pages.
  std::vector<std::pair<fs::path, Pages>> indexAll(const std::vector<fs::path>& inputs) {
    std::vector<std::pair<fs::path, Pages>> out;
    for (const fs::path& input : inputs) {
      const fs::path output = tmp_ / ("indexed-" + input.filename().string());
      const fs::path report = tmp_ / (input.stem().string() + ".json");
      const Outcome run = vellandex(
          tmp_, "index " + shellArg(input) + " -o " + shellArg(output) + " --quiet --report " + shellArg(report));
      EXPECT_EQ(run.exitCode, 0) << input << ": " << run.all();
      if (run.exitCode == 0) out.emplace_back(output, ourPages(report));
    }
    return out;
  }

  // LibreOffice updates the indexes of every indexed copy; each is scored; python-docx reads each.
  Score compare(const std::vector<std::pair<fs::path, Pages>>& indexed) {
    std::vector<fs::path> files;
    for (const auto& [file, pages] : indexed) files.push_back(file);
    const auto shown = updateIndexesInLibreOffice(files, tmp_ / "office-profile");
    Score score;
    for (const auto& [file, ours] : indexed) {
      SCOPED_TRACE(file.filename().string());
      auto it = shown.find(file);
      if (it == shown.end() || !it->second.value("opened", false)) {
        ADD_FAILURE() << "LibreOffice did not open it";
        continue;
      }
      const auto& indexes = it->second["indexes"];
      EXPECT_EQ(indexes.size(), 1u) << "LibreOffice sees no index, or more than ours";
      const Pages theirs = indexes.empty() ? Pages{} : theirPages(indexes[0].get<std::string>(), ours);
      std::set<std::string> ourTerms, theirTerms;
      for (const auto& [term, pages] : ours) ourTerms.insert(term);
      for (const auto& [term, pages] : theirs) theirTerms.insert(term);
      EXPECT_EQ(theirTerms, ourTerms) << "LibreOffice's index lists other terms than ours";
      score.add(file.filename().string(), ours, theirs);
    }
    for (const auto& [file, said] : readWithPythonDocx(files)) EXPECT_EQ(said, "") << file;
    return score;
  }

  TempFolder tmp_;
};

TEST_F(RealClients, LibreOfficeGivesEveryTermOurPagesWhereBreaksFixThem) {
  fixedPagesContract().save((tmp_ / "fixed-pages.docx").string());
  const Score score = compare(indexAll({tmp_ / "fixed-pages.docx"}));
  std::cout << "Pages fixed by breaks: " << score.exact << " of " << score.entries << " entries on the same page ("
            << 100 * score.share(score.exact) << "%)\n";
  EXPECT_GT(score.entries, 30);
  EXPECT_EQ(score.exact, score.entries);
  EXPECT_EQ(score.differentTerms, 0) << "LibreOffice lists a page that ours does not";
}

TEST_F(RealClients, LibreOfficeGivesNineInTenEntriesOfFlowingContractsOurPageOrTheNext) {
  std::vector<fs::path> inputs{kSample};
  for (const char* name :
       {"yc-safe-discount.docx", "commonpaper-cloud-service-agreement-template.docx", "bonterms-cloud-terms-v1.docx"}) {
    const fs::path file = fs::path(VLX_CORPUS_DIR) / "contracts" / name;
    if (fs::exists(file)) inputs.push_back(file);
  }
  if (inputs.size() == 1) std::cout << "no corpus at " << VLX_CORPUS_DIR << ": the sample contract only\n";
  const Score score = compare(indexAll(inputs));
  std::cout << "Flowing text: " << score.withinOne << " of " << score.entries << " entries within one page ("
            << 100 * score.share(score.withinOne) << "%), " << score.exact << " on the same page ("
            << 100 * score.share(score.exact) << "%)\n";
  RecordProperty("within_one_page_percent", static_cast<int>(100 * score.share(score.withinOne)));
  // The sample alone gives some eighty entries; with the corpus's contracts there are hundreds.
  EXPECT_GT(score.entries, inputs.size() == 1 ? 50 : 100);
  EXPECT_GE(score.share(score.withinOne), 0.9);
}

}  // namespace
}  // namespace app
