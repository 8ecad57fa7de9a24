// Edits patch what is kept beside the XML (a paragraph's character map, the lengths, the find
// view, the bookmark index, the shown field codes, the live ranges) instead of rebuilding it;
// whatever they do, each must be exactly what a fresh reading gives.
#include <random>

#include <gtest/gtest.h>

#include "host/model/document.h"
#include "host/model/fields.h"
#include "host/model/find.h"
#include "host/model/indexes.h"
#include "host/model/range.h"
#include "host/platform/error.h"
#include "host/testing/test_documents.h"
#include "host/text/story.h"

namespace host {
namespace {

using namespace testing;

// Every kind of edit the object model makes, at a range; false when it made none.
bool editAt(Document& doc, Range range, int kind, int step) {
  const std::string n = std::to_string(step);
  switch (kind) {
    case 0: range.SetHighlightColorIndex(6); break;
    case 1: range.Font().SetColor(0xF3F3F3); break;
    case 2: range.Font().SetHidden(step % 2 ? kTrue : kFalse); break;
    case 3: doc.Indexes().MarkEntry(range, "Entry \"" + n + "\"", "\\f \"X\""); break;
    case 4: range.Delete(); break;
    case 5: range.SetText("new " + n); break;
    case 6: range.InsertAfter("after"); break;
    case 7: range.InsertParagraphAfter(); break;
    case 8: doc.Fields().Add(range, wdFieldEmpty, "PAGE", false); break;
    case 9: {
      Fields fields = doc.Fields();
      if (fields.Count() == 0) return false;
      fields.Item(1 + step % fields.Count()).Delete();
      break;
    }
    case 10: {
      Fields fields = doc.Fields();  // not an edit, but what the view shows
      if (fields.Count() == 0) return false;
      fields.Item(1 + step % fields.Count()).SetShowCodes(true);
      break;
    }
    case 11: doc.Bookmarks().Add("mark" + std::to_string(step % 3), range); break;
    case 12:
      if (!doc.Bookmarks().Exists("mark1")) return false;
      doc.Bookmarks().Item("mark1").Delete();
      break;
    case 13: range.SetCase(wdUpperCase); break;
    case 14: range.InsertBefore("before"); break;
    case 15: range.InsertParagraphBefore(); break;
    case 16: range.SetBold(step % 2 ? kTrue : kFalse); break;
    case 17: range.Font().SetAllCaps(step % 2 ? kTrue : kFalse); break;
    case 18: range.ParagraphFormat().SetStyle(step % 2 ? "Clause" : "Caps"); break;
    case 19: range.ParagraphFormat().SetAlignment(step % 2 ? wdAlignParagraphCenter : wdAlignParagraphJustify); break;
    case 20: range.ParagraphFormat().SetSpaceBefore(12); break;
    case 21: range.ListFormat().RemoveNumbers(); break;
    case 22: {
      Section::PageSetupView setup = range.Sections().Item(1).PageSetup();
      if (step % 3 == 0) setup.SetSectionStart(step % 2 ? wdSectionNewPage : wdSectionContinuous);
      else if (step % 3 == 1) setup.SetRestartNumberingAtSection(step % 2 == 0);
      else setup.SetStartingNumber(step);
      break;
    }
    case 23: Style(&doc, "Caps").Font().SetAllCaps(step % 2 ? kTrue : kFalse); break;
    case 24: {
      Find find = range.Find();
      find.SetText("e");
      find.Replacement().SetText("E" + n);
      return find.Execute(step % 2 ? wdReplaceAll : wdReplaceOne);
    }
    default: range.ParagraphFormat().SetSpaceAfter(6); break;
  }
  return true;
}

// Uses what edits must keep in step: the find view (plain and case-folded), the bookmark
// index and the pages.
void useCaches(Document& doc) {
  Range r = doc.Content();
  r.Find().SetText("text");
  r.Find().Execute();
  doc.Bookmarks().Count();
  r.Information(wdActiveEndPageNumber);
}

TEST(MapPatches, EveryKindOfEditLeavesWhatIsKeptAsAFreshReadingWouldMakeIt) {
  const std::string body =
      para(run("The Purchase Price") + run(" is ", "<w:b/>") + elementRun("<w:tab/>") + run("payable") +
           "<w:bookmarkStart w:id=\"1\" w:name=\"b\"/>" + run("on Completion") + "<w:bookmarkEnd w:id=\"1\"/>" +
           run(" hidden", "<w:vanish/>") + run(" and after it")) +
      para(fieldChar("begin") + fieldCode(" REF b ") + fieldChar("separate") + run("Result text") + fieldChar("end") +
           run(" then more words")) +
      para("<w:hyperlink w:anchor=\"b\">" + run("linked Term here") + "</w:hyperlink>" + run("tail") +
           "<w:r><w:t>multi</w:t><w:tab/><w:t>part run</w:t><w:lastRenderedPageBreak/><w:t>again</w:t></w:r>") +
      para("<w:fldSimple w:instr=\" PAGE \">" + run("7") + "</w:fldSimple>" + run(" simple field after")) +
      table({{"cell one text", "cell two"}}) + para(run("Last paragraph of the story"));
  const std::string numbered = "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"3\"/></w:numPr>";
  DocParts parts;
  parts.styles = paragraphStyle("Clause", "", numbered, "") + paragraphStyle("Caps", "", "", "<w:caps/>");
  parts.body = body + para(run("Numbered clause"), "<w:pStyle w:val=\"Clause\"/>") +
               para(run("Directly numbered"), numbered + "<w:sectPr><w:type w:val=\"continuous\"/></w:sectPr>") +
               para(run("In capitals"), "<w:pStyle w:val=\"Caps\"/>");
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    auto doc = openDocument(parts);
    Story& story = doc->Content().GetStory();
    for (int step = 0; step < 16; ++step) {
      useCaches(*doc);
      long length = story.length();
      long a = std::uniform_int_distribution<long>(0, length - 1)(rng);
      long b = std::min(length - 1, a + std::uniform_int_distribution<long>(0, 9)(rng));
      int kind = std::uniform_int_distribution<int>(0, 25)(rng);
      std::string context = "round " + std::to_string(round) + " step " + std::to_string(step) + " edit " +
                            std::to_string(kind) + " [" + std::to_string(a) + "," + std::to_string(b) + ")";
      try {
        if (!editAt(*doc, doc->Range(a, b), kind, step)) continue;
      } catch (const Error&) {
        continue;  // some places take no insertion (inside a simple field's code); nothing changed
      }
      ASSERT_EQ(doc->verifyDerivedState(), "") << context;
    }
  }
}

TEST(MapPatches, RewritingAnIndexLeavesNoMapOfARemovedParagraph) {
  // Index lines are removed and new ones written at each update; a new paragraph that takes
  // a removed one's memory must not be taken for it.
  std::string body;
  for (int i = 0; i < 800; ++i) {
    std::string term = "Term " + std::to_string(i);
    body += para(run("The " + term + " applies.") + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>" +
                 "<w:r><w:instrText xml:space=\"preserve\"> XE \"" + term + "\" </w:instrText></w:r>" +
                 "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>");
  }
  auto doc = openBody(body + "<w:p/>");
  long at = doc->Content().End() - 1;
  Field index = doc->Fields().Add(doc->Range(at, at), wdFieldEmpty, "INDEX \\c \"2\"", false);
  for (int round = 0; round < 4; ++round) {
    index.Update();
    ASSERT_EQ(doc->verifyDerivedState(), "") << "update " << round;
    doc->Indexes().MarkEntry(doc->Range(4, 8), "Added " + std::to_string(round));
  }
}

}  // namespace
}  // namespace host
