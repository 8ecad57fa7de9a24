// Malformed and hostile documents from the outside: every command refuses them as input that
// is wrong (exit 1) with the part and the reason, writes nothing, and never shows what a
// local file holds.
#include <gtest/gtest.h>

#include "app/testing/program.h"
#include "host/package/package.h"

namespace app {
namespace {

using namespace app::testing;

// A generated document whose main part is the given XML.
std::string withMainPart(const std::string& xml) {
  auto package = host::Package::fromBytes(host::testing::makeDocx(paragraphs({"The \"Buyer\" pays."})), "x.docx");
  package->setBytes("word/document.xml", xml);
  return package->toBytes();
}

TEST(HostileFiles, EveryCommandRefusesThemWithTheReasonAndWritesNothing) {
  TempFolder tmp;
  writeFile(tmp / "secret.txt", "SECRET-CONTENT-42");
  const std::string open = std::string("<w:document xmlns:w=\"") + host::testing::kWordNs +
                           "\"><w:body><w:p><w:r><w:t>";
  const std::string close = "</w:t></w:r></w:p></w:body></w:document>";
  std::string deep = open;
  for (int i = 0; i < 50000; ++i) deep += "<w:smartTag>";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"nul", open + "a&#0;b" + close},
      {"marks", open + "a\x01\x02" + close},
      {"prefix", open + "<x:y/>" + close},
      {"entity", open + "&nbsp;" + close},
      {"external", "<!DOCTYPE w:document [<!ENTITY x SYSTEM \"file://" + (tmp / "secret.txt").string() + "\">]>" +
                       open + "&x;" + close},
      {"deep", deep},
  };
  for (const auto& [name, xml] : cases) {
    writeFile(tmp / (name + ".docx"), withMainPart(xml));
    for (const std::string command : {"dump", "resave", "index", "terms"}) {
      const std::string output = command == "resave"  ? " " + shellArg(tmp / "out.docx")
                                 : command == "index" ? " -o " + shellArg(tmp / "out.docx")
                                                      : "";
      Outcome run = vellandex(tmp, command + " " + shellArg(tmp / (name + ".docx")) + output);
      EXPECT_EQ(run.exitCode, 1) << command << " " << name << "\n" << run.all();
      EXPECT_NE(run.errors.find("vellandex: Cannot open \"" + (tmp / (name + ".docx")).string() +
                                "\": the part \"word/document.xml\" is damaged: malformed XML at line 1 ("),
                std::string::npos)
          << command << " " << name << "\n"
          << run.errors;
      EXPECT_EQ(run.output, "") << command << " " << name;
      EXPECT_EQ(run.all().find("SECRET"), std::string::npos) << command << " " << name;
      EXPECT_FALSE(fs::exists(tmp / "out.docx")) << command << " " << name;
    }
  }
}

}  // namespace
}  // namespace app
