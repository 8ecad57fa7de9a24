// Containers nested as deep as a part may go are read, found in, edited, paginated, dumped
// and saved without exhausting the stack (the sanitized build has the smallest frames to
// spare); nested deeper, the document is refused with the reason, whatever the container.
#include <functional>

#include <gtest/gtest.h>

#include "host/dump/dump.h"
#include "host/model/document.h"
#include "host/model/find.h"
#include "host/model/indexes.h"
#include "host/model/range.h"
#include "host/package/xml_check.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

// The inner XML wrapped in n pairs of open and close.
std::string nest(const std::string& open, const std::string& close, std::size_t n, const std::string& inner) {
  std::string out;
  out.reserve((open.size() + close.size()) * n + inner.size());
  for (std::size_t i = 0; i < n; ++i) out += open;
  out += inner;
  for (std::size_t i = 0; i < n; ++i) out += close;
  return out;
}

struct Container {
  const char* label;
  std::size_t levels;  // elements each nesting adds
  // The body with the container nested n times around a run of "deep".
  std::function<std::string(std::size_t)> body;
};

const std::vector<Container>& containers() {
  static const std::vector<Container> all = {
      {"smart tags", 1,
       [](std::size_t n) {
         return para(nest("<w:smartTag w:uri=\"urn:u\" w:element=\"e\">", "</w:smartTag>", n, run("deep")));
       }},
      {"hyperlinks", 1,
       [](std::size_t n) { return para(nest("<w:hyperlink w:anchor=\"a\">", "</w:hyperlink>", n, run("deep"))); }},
      {"simple fields", 1,
       [](std::size_t n) {
         return para(nest("<w:fldSimple w:instr=\" QUOTE x \">", "</w:fldSimple>", n, run("deep")));
       }},
      {"content controls in a paragraph", 2,
       [](std::size_t n) { return para(nest("<w:sdt><w:sdtContent>", "</w:sdtContent></w:sdt>", n, run("deep"))); }},
      {"content controls around paragraphs", 2,
       [](std::size_t n) { return nest("<w:sdt><w:sdtContent>", "</w:sdtContent></w:sdt>", n, para(run("deep"))); }},
      {"tables in cells", 3,
       [](std::size_t n) {
         return nest("<w:tbl><w:tr><w:tc>", "<w:p/></w:tc></w:tr></w:tbl>", n, para(run("deep"))) + para("");
       }},
  };
  return all;
}

// How many times a container fits below w:document and w:body and around w:p (or w:r), w:r and
// what a run holds, with room for the bold of w:rPr/w:b that an edit adds.
std::size_t deepest(const Container& c) { return (kMaxXmlDepth - 6) / c.levels; }

TEST(DeepNesting, AsDeepAsAPartMayGoEveryFeatureWorks) {
  for (const Container& c : containers()) {
    SCOPED_TRACE(c.label);
    auto doc = openBody(c.body(deepest(c)));
    EXPECT_NE(dumpDocument(*doc).find("deep"), std::string::npos);
    Range found = doc->Content();
    Find find = found.Find();
    find.SetText("deep");
    ASSERT_TRUE(find.Execute());
    EXPECT_EQ(found.Text(), "deep");
    EXPECT_EQ(found.Information(wdActiveEndPageNumber), 1);
    found.SetBold(1);
    doc->Indexes().MarkEntry(found, "deep");
    auto again = reopen(*doc);
    EXPECT_NE(dumpDocument(*again).find("{ XE \"deep\" }"), std::string::npos);
  }
}

TEST(DeepNesting, AnEditThatWouldNestDeeperThanAPartMayGoIsNotSaved) {
  auto doc = openBody(
      para(nest("<w:smartTag w:uri=\"urn:u\" w:element=\"e\">", "</w:smartTag>", kMaxXmlDepth - 5, run("deep"))));
  doc->Content().SetBold(1);
  try {
    doc->package().toBytes();
    ADD_FAILURE() << "saved";
  } catch (const Error& e) {
    EXPECT_EQ(
        std::string(e.what()),
        "Cannot write \"test.docx\": the part \"word/document.xml\" would hold elements nested more than 1000 deep.");
  }
}

TEST(DeepNesting, DeeperThanAPartMayGoTheDocumentIsRefused) {
  for (const Container& c : containers()) {
    SCOPED_TRACE(c.label);
    // Once more than fits under w:body around a paragraph, run and text.
    for (std::size_t n : {(kMaxXmlDepth - 5) / c.levels + 1, std::size_t{50000}}) {
      try {
        openBody(c.body(n));
        ADD_FAILURE() << "opened at " << n;
      } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrFileFormat);
        EXPECT_NE(std::string(e.what()).find("\"word/document.xml\" is damaged: malformed XML at line 2 (elements "
                                             "nested more than 1000 deep)"),
                  std::string::npos)
            << e.what();
      }
    }
  }
}

}  // namespace
}  // namespace host
