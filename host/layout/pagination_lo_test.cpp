// Our page numbers against a real layout engine: generated documents get index entries and
// an INDEX field here, LibreOffice (headless, with a private profile) lays them out and
// updates the index, and the page it gives each entry is compared with ours. Skips when
// soffice is not installed. VLX_LO_VERBOSE=1 prints both pages of every entry.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "host/builder/docx_builder.h"
#include "host/model/document.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

namespace fs = std::filesystem;

// The Basic macro LibreOffice runs: open hidden, update every index, save as plain text.
constexpr const char* kMacro =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE script:module PUBLIC \"-//OpenOffice.org//DTD OfficeDocument 1.0//EN\" \"module.dtd\">\n"
    "<script:module xmlns:script=\"http://openoffice.org/2000/script\" script:name=\"Module1\" "
    "script:language=\"StarBasic\">\n"
    "Sub UpdateIndexes(sIn As String, sOut As String)\n"
    "  Dim args(0) As New com.sun.star.beans.PropertyValue\n"
    "  args(0).Name = &quot;Hidden&quot;\n"
    "  args(0).Value = True\n"
    "  oDoc = StarDesktop.loadComponentFromURL(sIn, &quot;_blank&quot;, 0, args())\n"
    "  For i = 0 To oDoc.DocumentIndexes.Count - 1\n"
    "    oDoc.DocumentIndexes.getByIndex(i).update()\n"
    "  Next\n"
    "  Dim f(0) As New com.sun.star.beans.PropertyValue\n"
    "  f(0).Name = &quot;FilterName&quot;\n"
    "  f(0).Value = &quot;Text&quot;\n"
    "  oDoc.storeToURL(sOut, f())\n"
    "  oDoc.close(True)\n"
    "End Sub\n"
    "</script:module>\n";

bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty() && ::access((fs::path(dir) / program).c_str(), X_OK) == 0) return true;
  return false;
}

// LibreOffice run headless with a profile of its own, so that it neither touches nor waits
// for the user's.
class LibreOffice {
 public:
  explicit LibreOffice(fs::path dir) : dir_(std::move(dir)) {}

  // Creates the profile and installs the macro; false when LibreOffice does not start.
  bool prepare() {
    if (!run("--terminate_after_init")) return false;
    fs::path module = dir_ / "profile" / "user" / "basic" / "Standard" / "Module1.xba";
    if (!fs::exists(module.parent_path())) return false;
    std::ofstream(module) << kMacro;
    return true;
  }

  // The document's text after LibreOffice laid it out and updated its indexes.
  std::string updatedText(const fs::path& docx) {
    fs::path out = docx;
    out.replace_extension(".txt");
    fs::remove(out);
    std::string macro = "'macro:///Standard.Module1.UpdateIndexes(\"file://" + docx.string() + "\",\"file://" +
                        out.string() + "\")'";
    if (!run(macro)) return {};
    std::ifstream in(out);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  bool run(const std::string& args) {
    std::string cmd = "timeout 120 soffice -env:UserInstallation=file://" + (dir_ / "profile").string() +
                      " --headless --norestore " + args + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
  }

  fs::path dir_;
};

// "E0001" when the text starts with an entry's name, else "".
std::string entryName(const std::string& s) {
  if (s.size() < 5 || s[0] != 'E') return {};
  for (std::size_t k = 1; k < 5; ++k)
    if (s[k] < '0' || s[k] > '9') return {};
  return s.substr(0, 5);
}

// The number a text is made of (-1 when it is not a number).
int number(const std::string& s) {
  if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stoi(s);
}

// Entry name -> page, from LibreOffice's text of an updated index: "E0001<tab>3", or the
// entry on a line of its own with its pages on the lines after it ("<tab>3").
std::map<std::string, int> libreOfficePages(const std::string& text) {
  std::map<std::string, int> pages;
  std::stringstream lines(text);
  std::string line, current;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string name = entryName(line);
    if (!name.empty() && line.size() > 5 && line[5] == '\t') {
      current = name;
      if (int p = number(line.substr(6)); p > 0 && !pages.count(current)) pages[current] = p;
    } else if (!line.empty() && line[0] == '\t' && !current.empty() && !pages.count(current)) {
      if (int p = number(line.substr(1)); p > 0) pages[current] = p;
    }
  }
  return pages;
}

// Entry name -> page from our index result ("E0001, 3").
std::map<std::string, int> ourPages(const std::string& result) {
  std::map<std::string, int> pages;
  std::stringstream lines(result);
  std::string line;
  while (std::getline(lines, line, '\r')) {
    std::string name = entryName(line);
    if (!name.empty() && line.compare(5, 2, ", ") == 0)
      if (int p = number(line.substr(7)); p > 0) pages[name] = p;
  }
  return pages;
}

// Marks an entry "E<n>" after every marker word "qz<n>" of the main text and footnotes,
// adds an index at the end, updates it and saves the document.
std::map<std::string, int> markIndexAndSave(Document& doc, const fs::path& path) {
  for (Story* story : {doc.story(wdMainTextStory), doc.story(wdFootnotesStory)}) {
    if (!story) continue;
    Text text = story->text(0, story->length());
    std::vector<std::pair<long, std::string>> markers;
    for (std::size_t at = text.find(u"qz"); at != Text::npos; at = text.find(u"qz", at + 2)) {
      std::size_t end = at + 2;
      while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') ++end;
      if (end - at == 6) markers.emplace_back(static_cast<long>(end), "E" + toUtf8(text.substr(at + 2, 4)));
    }
    for (auto it = markers.rbegin(); it != markers.rend(); ++it)
      doc.Indexes().MarkEntry(doc.makeRange(*story, it->first - 6, it->first), it->second);
  }
  long at = doc.Content().End() - 1;
  Field index = doc.Fields().Add(doc.Range(at, at), wdFieldEmpty, "INDEX \\c2 \\e\", \"", false);
  index.Update();
  doc.SaveAs(path.string());
  return ourPages(index.Result().Text());
}

// Deterministic filler text.
class Words {
 public:
  explicit Words(unsigned seed) : state_(seed) {}
  unsigned next(unsigned n) {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 16) % n;
  }
  std::string sentence(int words, int& marker, int markerPercent) {
    // clang-format off
    static const char* kWords[] = {"the", "Seller", "shall", "deliver", "all", "Purchased", "Assets", "to", "Buyer",
                                   "on", "Closing", "Date", "subject", "conditions", "set", "forth", "herein",
                                   "including", "without", "limitation", "any", "obligations", "under", "this",
                                   "Agreement", "and", "each", "other", "Transaction", "Document", "reasonable",
                                   "efforts", "notwithstanding", "foregoing", "indemnification", "of", "a", "in"};
    // clang-format on
    std::string out;
    for (int k = 0; k < words; ++k) {
      if (k > 0) out += ' ';
      out += kWords[next(sizeof kWords / sizeof *kWords)];
      if (k + 1 < words && next(100) < 8) out += ',';
    }
    if (static_cast<int>(next(100)) < markerPercent) {
      char buf[16];
      std::snprintf(buf, sizeof buf, " qz%04d", ++marker);
      out.insert(out.find(' ') == std::string::npos ? out.size() : out.find(' '), buf);
    }
    return out + ".";
  }

 private:
  unsigned state_;
};

// Pages fixed by explicit breaks: each page's content is far shorter than a page.
std::string fixedPagesDocument(unsigned seed) {
  Words words(seed);
  DocxBuilder b;
  int marker = 0;
  for (int page = 0; page < 14; ++page) {
    b.startParagraph(DocxBuilder::Style::Heading1);
    b.addRun("Part " + std::to_string(page + 1) + words.sentence(2, marker, 50));
    int paragraphs = 2 + static_cast<int>(words.next(4));
    for (int p = 0; p < paragraphs; ++p) {
      b.startParagraph(DocxBuilder::Style::Normal, DocxBuilder::Align::Justify);
      b.addRun(words.sentence(15 + static_cast<int>(words.next(40)), marker, 60));
      if (words.next(4) == 0) b.addFootnote({{words.sentence(8, marker, 70), {}}});
    }
    if (page % 5 == 2) b.addTable({{"Item", "Amount " + words.sentence(1, marker, 100)}, {"Fee", "10"}}, true);
    if (page < 13) {
      b.startParagraph();
      b.addPageBreak();
    }
  }
  b.startParagraph();
  return b.toBytes();
}

// Running text with headings, notes and tables over some thirty pages.
std::string flowingDocument(unsigned seed, DocxBuilder::PageSetup setup) {
  Words words(seed);
  DocxBuilder b;
  b.setPageSetup(setup);
  int marker = 0;
  for (int p = 0; p < 260; ++p) {
    if (p % 9 == 0) {
      b.startParagraph(p % 18 == 0 ? DocxBuilder::Style::Heading1 : DocxBuilder::Style::Heading2);
      b.addRun(words.sentence(3 + static_cast<int>(words.next(5)), marker, 30));
    }
    b.startParagraph(DocxBuilder::Style::Normal, p % 3 ? DocxBuilder::Align::Justify : DocxBuilder::Align::Left);
    int sentences = 1 + static_cast<int>(words.next(5));
    for (int s = 0; s < sentences; ++s) {
      b.addRun((s ? " " : "") + words.sentence(6 + static_cast<int>(words.next(22)), marker, 25),
               DocxBuilder::Emphasis{words.next(20) == 0, false});
      if (words.next(25) == 0) b.addFootnote({{words.sentence(10 + static_cast<int>(words.next(30)), marker, 40), {}}});
    }
    if (p % 40 == 17) {
      std::vector<std::vector<std::string>> rows;
      for (int r = 0; r < 3 + static_cast<int>(words.next(4)); ++r)
        rows.push_back(
            {words.sentence(2, marker, 10), words.sentence(4 + static_cast<int>(words.next(12)), marker, 20)});
      b.addTable(rows, true);
    }
  }
  b.startParagraph();
  return b.toBytes();
}

struct Score {
  int entries = 0, exact = 0, withinOne = 0;
  void add(const std::map<std::string, int>& ours, const std::map<std::string, int>& theirs, const std::string& name) {
    for (const auto& [entry, page] : theirs) {
      auto it = ours.find(entry);
      ++entries;
      if (it == ours.end()) {
        ADD_FAILURE() << name << ": " << entry << " is missing from our index";
        continue;
      }
      exact += it->second == page;
      withinOne += std::abs(it->second - page) <= 1;
      if (std::getenv("VLX_LO_VERBOSE")) std::cout << name << " " << entry << " " << it->second << " " << page << "\n";
      if (std::abs(it->second - page) > 1)
        std::cout << name << ": " << entry << " ours " << it->second << " LibreOffice " << page << "\n";
    }
  }
  double exactShare() const { return entries ? static_cast<double>(exact) / entries : 0; }
  double withinOneShare() const { return entries ? static_cast<double>(withinOne) / entries : 0; }
};

class PaginationAgainstLibreOffice : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!onPath("soffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed: the comparison is skipped.";
    dir_ = fs::temp_directory_path() / ("vlx-lo-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    office_ = std::make_unique<LibreOffice>(dir_);
    if (!office_->prepare()) GTEST_SKIP() << "LibreOffice did not start headless: the comparison is skipped.";
  }
  void TearDown() override {
    std::error_code ignored;
    if (!dir_.empty()) fs::remove_all(dir_, ignored);
  }

  // Marks and indexes one generated document here and in LibreOffice, and scores it.
  void compare(const std::string& bytes, const std::string& name, Score& score) {
    auto doc = Document::FromBytes(bytes, name + ".docx");
    fs::path path = dir_ / (name + ".docx");
    std::map<std::string, int> ours = markIndexAndSave(*doc, path);
    std::map<std::string, int> theirs = libreOfficePages(office_->updatedText(path));
    ASSERT_GE(theirs.size(), 10u) << name << ": LibreOffice's index has too few entries";
    score.add(ours, theirs, name);
  }

  fs::path dir_;
  std::unique_ptr<LibreOffice> office_;
};

TEST_F(PaginationAgainstLibreOffice, FixedPagesGiveEveryEntryTheSamePage) {
  Score score;
  compare(fixedPagesDocument(7), "fixed-a", score);
  compare(fixedPagesDocument(11), "fixed-b", score);
  std::cout << "Pages fixed by breaks: " << score.exact << " of " << score.entries << " entries on the same page ("
            << score.exactShare() * 100 << "%)\n";
  RecordProperty("fixed_entries", score.entries);
  RecordProperty("fixed_exact_percent", static_cast<int>(score.exactShare() * 100));
  EXPECT_EQ(score.exact, score.entries);
}

TEST_F(PaginationAgainstLibreOffice, FlowingTextStaysWithinOnePage) {
  Score score;
  compare(flowingDocument(3, {}), "flow-a4", score);
  DocxBuilder::PageSetup letter;
  letter.paper = DocxBuilder::Paper::Letter;
  letter.left = letter.right = 1800;
  letter.top = 1080;
  compare(flowingDocument(5, letter), "flow-letter", score);
  std::cout << "Flowing text: " << score.withinOne << " of " << score.entries << " entries within one page ("
            << score.withinOneShare() * 100 << "%), " << score.exact << " on the same page ("
            << score.exactShare() * 100 << "%)\n";
  RecordProperty("flowing_entries", score.entries);
  RecordProperty("flowing_within_one_percent", static_cast<int>(score.withinOneShare() * 100));
  RecordProperty("flowing_exact_percent", static_cast<int>(score.exactShare() * 100));
  EXPECT_GE(score.withinOneShare(), 0.9);
}

}  // namespace
}  // namespace host
