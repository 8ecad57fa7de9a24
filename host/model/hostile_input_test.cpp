// Documents made to hurt a reader: entity expansion, external entities naming local files,
// one enormous paragraph, thousands of notes. Each is refused with its reason or read whole.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "host/dump/dump.h"
#include "host/model/document.h"
#include "host/model/find.h"
#include "host/model/indexes.h"
#include "host/model/range.h"
#include "host/platform/error.h"
#include "host/testing/temp_folder.h"
#include "host/testing/test_documents.h"

namespace host {
namespace {

using namespace testing;

// A document whose main part is the given XML.
std::string docxWithMainPart(const std::string& xml) {
  auto package = Package::fromBytes(makeDocx(DocParts{}), "test.docx");
  package->setBytes("word/document.xml", xml);
  return package->toBytes();
}

// The message a document is refused with ("" when it opens).
std::string refusal(const std::string& bytes) {
  try {
    Document::FromBytes(bytes, "hostile.docx");
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

const std::string kOpen = std::string("<w:document xmlns:w=\"") + kWordNs + "\"><w:body><w:p><w:r><w:t>";
const std::string kClose = "</w:t></w:r></w:p></w:body></w:document>";

TEST(HostileInput, EntitiesAreNeverExpandedAndLocalFilesNeverRead) {
  TempFolder folder;
  const std::string secret = (folder / "secret.txt").string();
  std::ofstream(secret) << "SECRET-CONTENT-42";
  std::string laughs = "<!ENTITY l0 \"lol\">";  // each entity ten of the one before: 10^9 lols
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">";
  }
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"entity expansion", "<!DOCTYPE w:document [" + laughs + "]>" + kOpen + "&l9;" + kClose},
      {"external entity",
       "<!DOCTYPE w:document [<!ENTITY x SYSTEM \"file://" + secret + "\">]>" + kOpen + "&x;" + kClose},
      {"external entity without a document type", kOpen + "&x;" + kClose},
      {"parameter entity", "<!DOCTYPE w:document [<!ENTITY % p SYSTEM \"" + secret + "\"> %p;]>" + kOpen + kClose},
  };
  for (const auto& [label, xml] : cases) {
    const std::string message = refusal(docxWithMainPart(xml));
    EXPECT_NE(message.find("\"word/document.xml\" is damaged: malformed XML at line 1 ("), std::string::npos)
        << label << ": " << message;
    EXPECT_EQ(message.find("SECRET"), std::string::npos) << label << ": " << message;
  }
}

TEST(HostileInput, AFiveMegabyteParagraphIsReadFoundInAndIndexed) {
  std::string text;
  while (text.size() < (5u << 20)) text += "The Seller shall deliver the goods to the Buyer. ";
  auto doc = openBody(para(run(text) + run("the \"Price\" is due")));
  Range found = doc->Content();
  Find find = found.Find();
  find.SetText("Price");
  ASSERT_TRUE(find.Execute());
  EXPECT_EQ(found.Start(), static_cast<long>(text.size()) + 5);
  doc->Indexes().MarkEntry(found, "Price");
  const std::string dump = dumpDocument(*reopen(*doc));
  EXPECT_NE(dump.find("Buyer. the \"Price{ XE \"Price\" }\" is due\n"), std::string::npos)
      << dump.substr(dump.size() - 100);
  EXPECT_GT(dump.size(), text.size());
}

TEST(HostileInput, TenThousandFootnotesAreAllRead) {
  DocParts parts;
  for (int i = 1; i <= 10000; ++i) {
    parts.body += para(run("Clause " + std::to_string(i)) + footnoteRef(i));
    parts.footnotes.push_back(para(run("Note " + std::to_string(i))));
  }
  auto doc = openDocument(parts);
  const std::string dump = dumpDocument(*doc);
  EXPECT_NE(dump.find("  Clause 10000[note]\n"), std::string::npos);
  EXPECT_NE(dump.find("  Note 1\n"), std::string::npos);
  EXPECT_NE(dump.find("  Note 10000\n"), std::string::npos);
  Range notes = doc->StoryRanges().Item(wdFootnotesStory);
  Find find = notes.Find();
  find.SetText("Note 9999");
  EXPECT_TRUE(find.Execute());
}

}  // namespace
}  // namespace host
