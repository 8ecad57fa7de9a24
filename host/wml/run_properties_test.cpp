#include "host/wml/run_properties.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/testing/xml_text.h"

namespace host {
namespace {

using testing::childrenXmlOf;
using testing::xmlOf;

// The run's properties after op, written as the part would be saved (namespace declaration
// and whitespace left out).
std::string after(const std::string& prefix, const std::string& rPr,
                  const std::function<void(const RunProperties&)>& op) {
  const std::string ns = prefix.empty() ? "xmlns" : "xmlns:" + prefix;
  pugi::xml_document doc;
  std::string xml = "<r " + ns + "=\"" + kMainNamespace + "\">" + rPr + "</r>";
  EXPECT_TRUE(doc.load_string(xml.c_str()));
  Wml w = Wml::of(doc);
  op(RunProperties(w, doc.document_element().first_child()));
  return childrenXmlOf(doc.document_element());
}

struct Case {
  const char* behaviour;
  std::string before;
  std::function<void(const RunProperties&)> op;
  std::string expected;
};

TEST(RunProperties, WritesOnOffOrInheritedInSchemaOrder) {
  const std::vector<Case> cases = {
      {"bold on writes the bare element", "<w:rPr/>", [](auto& p) { p.setToggle(Toggle::Bold, true); },
       "<w:rPr><w:b/></w:rPr>"},
      {"bold off over an inherited bold writes an explicit off", "<w:rPr/>",
       [](auto& p) { p.setToggle(Toggle::Bold, false); }, "<w:rPr><w:b w:val=\"0\"/></w:rPr>"},
      {"on again drops the off value", "<w:rPr><w:b w:val=\"0\"/></w:rPr>",
       [](auto& p) { p.setToggle(Toggle::Bold, true); }, "<w:rPr><w:b/></w:rPr>"},
      {"off over on keeps the element, says off", "<w:rPr><w:caps w:val=\"true\"/></w:rPr>",
       [](auto& p) { p.setToggle(Toggle::Caps, false); }, "<w:rPr><w:caps w:val=\"0\"/></w:rPr>"},
      {"inherited removes the element", "<w:rPr><w:b/><w:vanish w:val=\"0\"/></w:rPr>",
       [](auto& p) { p.setToggle(Toggle::Vanish, std::nullopt); }, "<w:rPr><w:b/></w:rPr>"},
      {"each property goes in its place among others",
       "<w:rPr><w:rStyle w:val=\"S\"/><w:color w:val=\"FF0000\"/></w:rPr>",
       [](auto& p) {
         p.setToggle(Toggle::Vanish, true);
         p.setToggle(Toggle::Italic, true);
         p.setHighlight("yellow");
       },
       "<w:rPr><w:rStyle w:val=\"S\"/><w:i/><w:vanish/><w:color w:val=\"FF0000\"/><w:highlight w:val=\"yellow\"/></w:rPr>"},
      {"out of order: a new property goes before the first one that belongs after it",
       "<w:rPr><w:sz w:val=\"20\"/><w:b/></w:rPr>", [](auto& p) { p.setToggle(Toggle::Caps, true); },
       "<w:rPr><w:caps/><w:sz w:val=\"20\"/><w:b/></w:rPr>"},
      {"unknown and foreign children: unknown ones count as last, foreign ones are passed over",
       "<w:rPr><x:y xmlns:x=\"urn:x\"/><w:future/></w:rPr>", [](auto& p) { p.setToggle(Toggle::Bold, true); },
       "<w:rPr><x:y xmlns:x=\"urn:x\"/><w:b/><w:future/></w:rPr>"},
      {"a colour replaces a theme colour", "<w:rPr><w:color w:val=\"000000\" w:themeColor=\"text1\"/></w:rPr>",
       [](auto& p) { p.setColor("FF0000"); }, "<w:rPr><w:color w:val=\"FF0000\"/></w:rPr>"},
      {"inherited colour and highlight go", "<w:rPr><w:color w:val=\"FF0000\"/><w:highlight w:val=\"red\"/></w:rPr>",
       [](auto& p) {
         p.setColor(std::nullopt);
         p.setHighlight(std::nullopt);
       },
       "<w:rPr/>"},
  };
  for (const Case& c : cases) EXPECT_EQ(after("w", c.before, c.op), c.expected) << c.behaviour;
}

TEST(RunProperties, WritesUnderThePrefixThePartUses) {
  EXPECT_EQ(after("wx", "<wx:rPr><wx:caps/></wx:rPr>",
                  [](auto& p) {
                    p.setToggle(Toggle::Bold, false);
                    p.setToggle(Toggle::Caps, std::nullopt);
                  }),
            "<wx:rPr><wx:b wx:val=\"0\"/></wx:rPr>");
  // A default namespace: names without a prefix.
  EXPECT_EQ(after("", "<rPr><vanish val=\"0\"/></rPr>", [](auto& p) { p.setToggle(Toggle::Vanish, true); }),
            "<rPr><vanish/></rPr>");
  // Another namespace's element of the same local name is not the property.
  EXPECT_EQ(after("w", "<w:rPr><b xmlns=\"urn:x\"/></w:rPr>", [](auto& p) { p.setToggle(Toggle::Bold, true); }),
            "<w:rPr><b xmlns=\"urn:x\"/><w:b/></w:rPr>");
}

TEST(RunProperties, OfARunOrAParagraphMarkCreatesTheElementInItsPlace) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(
      "<w:p xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:pPr><w:jc w:val=\"left\"/>"
      "<w:sectPr/></w:pPr><w:r><w:t>a</w:t></w:r></w:p>"));
  Wml w = Wml::of(doc);
  pugi::xml_node p = doc.document_element();
  pugi::xml_node run = w.child(p, "r");
  EXPECT_FALSE(RunProperties::of(w, run, false));
  RunProperties::of(w, run, true).setToggle(Toggle::Bold, true);
  RunProperties::of(w, w.child(p, "pPr"), true).setToggle(Toggle::Vanish, true);
  EXPECT_EQ(
      xmlOf(p),
      "<w:p xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:pPr><w:jc w:val=\"left\"/>"
      "<w:rPr><w:vanish/></w:rPr><w:sectPr/></w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t>a</w:t></w:r></w:p>");
}

}  // namespace
}  // namespace host
