// The model over real documents written by other programs: every file opens, dumps, takes a
// sample of edits and comes back from saving with the rest intact.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "host/dump/dump.h"
#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/testing/corpus.h"
#include "host/testing/same_parts.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

namespace fs = std::filesystem;
using host::testing::corpusDocuments;
using host::testing::expectSameParts;

// A scratch folder of this process, removed at the end.
class Scratch {
 public:
  Scratch() : dir_(fs::temp_directory_path() / ("vlx-corpus-model-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  fs::path file(const std::string& name) const { return dir_ / name; }

 private:
  fs::path dir_;
};

bool wellFormed(const std::string& bytes) {
  pugi::xml_document doc;
  return static_cast<bool>(doc.load_buffer(bytes.data(), bytes.size()));
}

bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool hasLetter(const std::string& utf8) {
  for (char16_t c : toText(utf8))
    if (isLetter(c)) return true;
  return false;
}

// The first word with a letter in it outside field codes, or an empty Range.
Range firstWord(const Range& story) {
  std::vector<Range> codes;
  for (const Field& f : story.Fields()) codes.push_back(f.Code());
  for (long i = 1; i <= 200; ++i) {
    Range w;
    try {
      w = story.Words(i);
    } catch (const Error&) {
      return Range();
    }
    bool inCode = std::any_of(codes.begin(), codes.end(),
                              [&](const Range& c) { return w.Start() < c.End() && w.End() > c.Start(); });
    if (!inCode && hasLetter(w.Text())) return w;
  }
  return Range();
}

// The characters of every story, by story.
std::vector<Text> storyTexts(Document& doc) {
  std::vector<Text> out;
  for (const auto& s : doc.stories()) out.push_back(s->text(0, s->length()));
  return out;
}

// The index of a story in doc.stories().
std::size_t storyIndex(Document& doc, const Story& story) {
  for (std::size_t i = 0; i < doc.stories().size(); ++i)
    if (doc.stories()[i].get() == &story) return i;
  return static_cast<std::size_t>(-1);
}

TEST(CorpusModel, EveryDocumentOpensDumpsAndSavesUnchanged) {
  auto files = corpusDocuments("docx");
  if (files.empty()) GTEST_SKIP() << "the shared corpus is not at " << VLX_CORPUS_DIR << "; nothing to check";
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    std::unique_ptr<Document> doc;
    try {
      doc = Document::Open(path.string());
    } catch (const Error& e) {
      ADD_FAILURE() << "refused: " << e.what();
      continue;
    }
    std::string dump = dumpDocument(*doc);
    EXPECT_EQ(dump.rfind("story 1 (main text), length ", 0), 0u);
    for (const auto& s : doc->stories()) {
      long sum = 0;
      for (std::size_t b = 0; b < s->blocks().size(); ++b) {
        EXPECT_EQ(s->blockStart(b), sum);
        sum += s->map(b).length();
      }
      EXPECT_EQ(sum, s->length());
      Range all = doc->makeRange(*s, 0, s->length());
      all.Text();
      for (const Field& f : all.Fields()) {
        FieldSpan span = f.Span();
        EXPECT_LE(0, span.begin);
        EXPECT_LT(span.begin, span.end);
        EXPECT_LT(span.end, s->length());
        if (span.separator >= 0) {
          EXPECT_TRUE(span.begin < span.separator && span.separator < span.end);
        }
        f.Type();
        f.Result().Text();
      }
    }
    // Every bookmark of the file has a place in its story.
    for (const auto& s : doc->stories()) {
      for (std::size_t b = 0; b < s->blocks().size(); ++b) {
        for (const Anchor& a : s->map(b).anchors) {
          if (!s->wml().is(a.node, "bookmarkStart")) continue;
          std::string name = s->wml().value(a.node, "name");
          ASSERT_TRUE(doc->Bookmarks().Exists(name)) << name;
          Bookmark mark = doc->Bookmarks().Item(name);
          EXPECT_TRUE(0 <= mark.Start() && mark.Start() <= mark.End()) << name;
          mark.Range();
        }
      }
    }
    expectSameParts(*Package::open(path.string()), *Package::fromBytes(doc->package().toBytes(), "saved"));
  }
}

// One long scenario on purpose: each edit lands on the document the one before left, and the
// checks after saving and reopening look at all of them together.
TEST(CorpusModel, SampleEditsKeepTheRestIntactThroughSaveAndReopen) {
  auto files = corpusDocuments("docx");
  if (files.empty()) GTEST_SKIP() << "the shared corpus is not at " << VLX_CORPUS_DIR << "; nothing to check";
  Scratch scratch;
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    std::unique_ptr<Document> doc;
    try {
      doc = Document::Open(path.string());
    } catch (const Error& e) {
      continue;  // reported by the test above
    }
    Story& main = doc->mainStory();
    if (main.length() == 0) {
      // A body of nothing the model reads (an imported chunk, say): edits are refused cleanly.
      EXPECT_THROW(doc->Bookmarks().Add("VlxCorpusMark", doc->Content()), Error);
      EXPECT_THROW(doc->Indexes().MarkEntry(doc->Content(), "x"), Error);
      continue;
    }
    const std::string mainPart = doc->package().mainPartName();
    std::vector<std::string> paragraphsBefore = testing::paragraphsXml(*doc, mainPart);
    std::vector<Text> expected = storyTexts(*doc);
    std::set<std::string> editedParts;

    // Text in the middle of the main story (the first point from there that takes text).
    for (long at = main.length() / 2, tries = 0; tries < 50 && at < main.length(); ++at, ++tries) {
      try {
        doc->Range(at, at).InsertBefore("ZZZ");
      } catch (const Error&) {
        continue;
      }
      expected[0].insert(static_cast<std::size_t>(at), u"ZZZ");
      editedParts.insert(mainPart);
      break;
    }
    EXPECT_EQ(storyTexts(*doc)[0], expected[0]) << "after inserting";

    // A bookmark over a few characters of one paragraph (from the first point from a third
    // of the way in that takes one: not a row end, not inside a simple field's code).
    bool bookmarked = false;
    for (long start = main.length() / 3, tries = 0; !bookmarked && tries < 50 && start < main.length();
         ++start, ++tries) {
      std::size_t block = main.blockAt(start);
      if (main.blocks()[block].rowEnd) continue;
      long paragraphEnd = main.blockStart(block) + static_cast<long>(main.map(block).length()) - 1;
      try {
        doc->Bookmarks().Add("VlxCorpusMark", doc->Range(start, std::max(start, std::min(start + 5, paragraphEnd))));
        bookmarked = true;
        editedParts.insert(mainPart);
      } catch (const Error&) {
      }
    }
    EXPECT_TRUE(bookmarked);
    EXPECT_EQ(storyTexts(*doc), expected) << "after adding a bookmark";

    // Three letters deleted a quarter of the way into the main text.
    Text now = main.text(0, main.length());
    for (std::size_t i = static_cast<std::size_t>(main.length() / 4); i + 3 < now.size(); ++i) {
      if (!isLetter(now[i]) || !isLetter(now[i + 1]) || !isLetter(now[i + 2])) continue;
      doc->Range(static_cast<long>(i), static_cast<long>(i) + 3).Delete();
      expected[0].erase(i, 3);
      editedParts.insert(mainPart);
      break;
    }
    EXPECT_EQ(storyTexts(*doc), expected) << "after deleting";
    // An index entry after the first word of the main text, footnotes and endnotes.
    std::map<int, long> entries;  // story type -> field begin
    for (int type : {wdMainTextStory, wdFootnotesStory, wdEndnotesStory}) {
      Story* story = doc->story(type);
      if (!story) continue;
      Range word = firstWord(doc->makeRange(*story, 0, story->length()));
      if (!word) continue;
      std::size_t index = storyIndex(*doc, *story);
      std::string visible = doc->makeRange(*story, 0, story->length()).Text();
      long at = word.End() == story->length() ? word.End() - 1 : word.End();
      try {
        Field f = doc->Indexes().MarkEntry(word, "Corpus \"entry\": a\\b");
        EXPECT_EQ(f.Span().begin, at);
        entries[type] = at;
      } catch (const Error& e) {
        ADD_FAILURE() << "MarkEntry in story " << type << " refused: " << e.what();
        continue;
      }
      expected[index].insert(static_cast<std::size_t>(at), u"\x13 XE \"Corpus \\\"entry\\\"\\: a\\\\b\" \x15");
      editedParts.insert(story->partName());
      EXPECT_EQ(doc->makeRange(*story, 0, story->length()).Text(), visible) << "the entry is not hidden";
    }
    EXPECT_EQ(storyTexts(*doc), expected) << "after marking entries";

    long bookmarkStart = bookmarked ? doc->Bookmarks().Item("VlxCorpusMark").Start() : -1;
    long bookmarkEnd = bookmarked ? doc->Bookmarks().Item("VlxCorpusMark").End() : -1;

    // Saved and opened again: the same stories, bookmark and entries; well-formed XML;
    // untouched parts byte for byte; untouched paragraphs unchanged.
    fs::path out = scratch.file("edited.docx");
    doc->SaveAs(out.string());
    std::unique_ptr<Document> again;
    try {
      again = Document::Open(out.string());
    } catch (const Error& e) {
      ADD_FAILURE() << "the saved file does not open: " << e.what();
      continue;
    }
    EXPECT_EQ(storyTexts(*again), expected) << "after reopening";
    if (bookmarked) {
      ASSERT_TRUE(again->Bookmarks().Exists("vlxcorpusmark"));
      EXPECT_EQ(again->Bookmarks().Item("VlxCorpusMark").Start(), bookmarkStart);
      EXPECT_EQ(again->Bookmarks().Item("VlxCorpusMark").End(), bookmarkEnd);
    }
    for (auto [type, begin] : entries) {
      Story* story = again->story(type);
      ASSERT_TRUE(story);
      auto fields = fieldsIn(again.get(), *story, begin, begin + 1);
      ASSERT_EQ(fields.size(), 1u) << type;
      EXPECT_EQ(fields.front().Type(), wdFieldIndexEntry);
      std::string code = fields.front().Code().Text();
      EXPECT_EQ(code, " XE \"Corpus \\\"entry\\\"\\: a\\\\b\" ");
    }
    auto original = Package::open(path.string());
    auto saved = Package::open(out.string());
    ASSERT_EQ(saved->partNames(), original->partNames());
    for (const std::string& part : saved->partNames()) {
      const std::string& bytes = saved->bytes(part);
      if (editedParts.count(part)) {
        EXPECT_TRUE(wellFormed(bytes)) << part;
      } else {
        EXPECT_EQ(bytes, original->bytes(part)) << part;
      }
    }
    std::vector<std::string> paragraphsAfter = testing::paragraphsXml(*again, mainPart);
    ASSERT_EQ(paragraphsAfter.size(), paragraphsBefore.size());
    long changed = 0;
    for (std::size_t i = 0; i < paragraphsBefore.size(); ++i) changed += paragraphsAfter[i] != paragraphsBefore[i];
    EXPECT_LE(changed, 4) << "paragraphs changed beyond the four edits";
  }
}

TEST(CorpusModel, HostileFilesAreRefusedWithAnError) {
  auto files = corpusDocuments("hostile");
  if (files.empty()) GTEST_SKIP() << "the shared corpus is not at " << VLX_CORPUS_DIR << "; nothing to check";
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    try {
      Document::Open(path.string());
      ADD_FAILURE() << "opened";
    } catch (const Error& e) {
      EXPECT_FALSE(std::string(e.what()).empty());
    }
  }
}

}  // namespace
}  // namespace host
