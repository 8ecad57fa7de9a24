#include "host/wml/section_properties.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/testing/xml_text.h"

namespace host {
namespace {

using testing::xmlOf;

// The section properties after op, written as the part would be saved; other is a second
// section to take from.
std::string after(const std::string& sectPr, const std::string& other,
                  const std::function<void(const SectionProperties&, const SectionProperties&)>& op) {
  pugi::xml_document doc;
  std::string xml = std::string("<w:body xmlns:w=\"") + kMainNamespace + "\">" + sectPr + other + "</w:body>";
  EXPECT_TRUE(doc.load_string(xml.c_str()));
  Wml w = Wml::of(doc);
  pugi::xml_node first = doc.document_element().first_child();
  op(SectionProperties(w, first), SectionProperties(w, first.next_sibling()));
  return xmlOf(first);
}

struct Case {
  const char* behaviour;
  std::string before, other;
  std::function<void(const SectionProperties&, const SectionProperties&)> op;
  std::string expected;
};

TEST(SectionProperties, WritesStartsPageNumbersAndColumnsInSchemaOrder) {
  using S = const SectionProperties&;
  const std::vector<Case> cases = {
      {"the start goes after the page numbering's predecessors", "<w:sectPr><w:headerReference/><w:pgSz/></w:sectPr>",
       "", [](S s, S) { s.setStart(SectionBegin::EvenPage); },
       "<w:sectPr><w:headerReference/><w:type w:val=\"evenPage\"/><w:pgSz/></w:sectPr>"},
      {"restart, then columns after it", "<w:sectPr><w:titlePg/></w:sectPr>", "",
       [](S s, S) {
         s.restartPageNumbers(5);
         s.setColumns(2, 720);
       },
       "<w:sectPr><w:pgNumType w:start=\"5\"/><w:cols w:num=\"2\" w:space=\"720\"/><w:titlePg/></w:sectPr>"},
      {"going on counting keeps the number format",
       "<w:sectPr><w:pgNumType w:fmt=\"lowerRoman\" w:start=\"1\"/></w:sectPr>", "",
       [](S s, S) { s.removePageNumberStart(SectionProperties::IfEmpty::Drop); },
       "<w:sectPr><w:pgNumType w:fmt=\"lowerRoman\"/></w:sectPr>"},
      {"an emptied page numbering goes when asked", "<w:sectPr><w:pgNumType w:start=\"1\"/></w:sectPr>", "",
       [](S s, S) { s.removePageNumberStart(SectionProperties::IfEmpty::Drop); }, "<w:sectPr/>"},
      {"or stays", "<w:sectPr><w:pgNumType w:start=\"1\"/></w:sectPr>", "",
       [](S s, S) { s.removePageNumberStart(SectionProperties::IfEmpty::Keep); },
       "<w:sectPr><w:pgNumType/></w:sectPr>"},
      {"taking another's start and restart copies them as written",
       "<w:sectPr><w:pgMar/><w:pgNumType w:fmt=\"decimal\"/></w:sectPr>",
       "<w:sectPr><w:type w:val=\"oddPage\"/><w:pgNumType w:start=\"0007\"/></w:sectPr>",
       [](S s, S o) {
         s.takeStartFrom(o);
         s.takePageNumberStartFrom(o);
       },
       "<w:sectPr><w:type w:val=\"oddPage\"/><w:pgMar/><w:pgNumType w:fmt=\"decimal\" w:start=\"0007\"/></w:sectPr>"},
      {"taking from a section without them drops ours",
       "<w:sectPr><w:type w:val=\"continuous\"/><w:pgNumType w:start=\"3\"/></w:sectPr>", "<w:sectPr/>",
       [](S s, S o) {
         s.takeStartFrom(o);
         s.takePageNumberStartFrom(o);
       },
       "<w:sectPr><w:pgNumType/></w:sectPr>"},
      {"page set-up copied without what begins the section", "<w:sectPr/>",
       "<w:sectPr><w:headerReference/><w:footerReference/><w:type/><w:pgSz/><w:pgNumType w:fmt=\"upperRoman\" w:start=\"1\"/>"
       "<w:cols w:num=\"2\"/><w:titlePg/><w:docGrid/><w:sectPrChange/></w:sectPr>",
       [](S s, S o) { o.copyPageSetupInto(s); },
       "<w:sectPr><w:pgSz/><w:pgNumType w:fmt=\"upperRoman\"/><w:docGrid/></w:sectPr>"},
  };
  for (const Case& c : cases) EXPECT_EQ(after(c.before, c.other, c.op), c.expected) << c.behaviour;
}

TEST(SectionProperties, ReadsWhereTheSectionBegins) {
  const std::vector<std::pair<std::string, SectionBegin>> cases = {
      {"", SectionBegin::NextPage},
      {"<w:type w:val=\"continuous\"/>", SectionBegin::Continuous},
      {"<w:type w:val=\"nextColumn\"/>", SectionBegin::NextColumn},
      {"<w:type w:val=\"nextPage\"/>", SectionBegin::NextPage},
      {"<w:type w:val=\"evenPage\"/>", SectionBegin::EvenPage},
      {"<w:type w:val=\"oddPage\"/>", SectionBegin::OddPage},
      {"<w:type w:val=\"sideways\"/>", SectionBegin::NextPage},
  };
  for (const auto& [type, expected] : cases) {
    SectionBegin read = SectionBegin::NextPage;
    after("<w:sectPr>" + type + "</w:sectPr>", "",
          [&read](const SectionProperties& s, const SectionProperties&) { read = s.start(); });
    EXPECT_EQ(read, expected) << type;
  }
  // A body without section properties is a default section, until one is asked for.
  pugi::xml_document doc;
  ASSERT_TRUE(
      doc.load_string("<body xmlns=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><p/></body>"));
  Wml w = Wml::of(doc);
  EXPECT_FALSE(SectionProperties::ofBody(w, doc.document_element(), false));
  EXPECT_EQ(SectionProperties::ofBody(w, doc.document_element(), false).start(), SectionBegin::NextPage);
  SectionProperties made = SectionProperties::ofBody(w, doc.document_element(), true);
  EXPECT_EQ(made.node(), doc.document_element().last_child());
  EXPECT_STREQ(made.node().name(), "sectPr");
}

}  // namespace
}  // namespace host
