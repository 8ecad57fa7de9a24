#include "host/package/xml_check.h"

#include <vector>

#include <gtest/gtest.h>

namespace host {
namespace {

const std::string kW = R"(xmlns:w="urn:w")";

struct Case {
  const char* label;
  std::string xml;
  const char* fault;  // a fragment of the fault's description; "" for a part that passes
};

// The fault of a part: its bytes checked, then (when they pass and it parses) its tree.
std::string faultOf(const std::string& xml) {
  if (auto f = checkXmlBytes(xml)) return f->what;
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_declaration)) return "parser";
  if (auto f = checkXmlTree(doc)) return f->what;
  return "";
}

TEST(XmlCheck, RefusesWhatXmlForbidsAndThePartsOfAWordProcessorCannotHold) {
  const std::vector<Case> cases = {
      {"plain", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:d " + kW + "><w:t>a &amp; b &#x41;&#66;</w:t></w:d>", ""},
      {"byte-order mark", "\xEF\xBB\xBF<w:d " + kW + "/>", ""},
      {"accents and astral", "<w:d " + kW + ">\xC3\xA9\xE2\x80\x9C\xF0\x9F\x98\x80</w:d>", ""},
      {"comment, CDATA, instruction", "<d><!-- & \x01 --><![CDATA[&bogus;]]><?pi &x?></d>", "U+0001"},
      {"comment holding what is no reference", "<d><!-- & --><![CDATA[&bogus; <!DOCTYPE]]><?pi &x?></d>", ""},
      {"xml prefix", "<d xml:space=\"preserve\"/>", ""},
      {"prefix declared deeper", "<d><x:e xmlns:x=\"urn:x\" x:a=\"1\"/></d>", ""},
      {"invalid UTF-8", "<d>\xC3\x28</d>", "not UTF-8"},
      {"overlong UTF-8", "<d>\xC0\xAF</d>", "not UTF-8"},
      {"encoded surrogate", "<d>\xED\xA0\x80</d>", "not UTF-8"},
      {"truncated UTF-8", "<d>\xE2\x80", "not UTF-8"},
      {"U+FFFE", "<d>\xEF\xBF\xBE</d>", "U+FFFE"},
      {"NUL reference", "<d>before&#0;after</d>", "&#0;"},
      {"control reference", "<d>&#x1;</d>", "&#x1;"},
      {"control characters", "<d>\x01\x02</d>", "control character U+0001"},
      {"reference beyond Unicode", "<d>&#x110000;</d>", "&#x110000;"},
      {"reference that is no number", "<d>&#12a;</d>", "not a number"},
      {"unknown entity", "<d>&nbsp;</d>", "\"&nbsp;\", which is not defined"},
      {"bare ampersand", "<d>AT&T</d>", "starts no entity"},
      {"entity in an attribute", "<d a=\"&foo;\"/>", "&foo;"},
      {"document type", "<!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><d>&x;</d>", "document type"},
      {"bogus encoding", "<?xml version=\"1.0\" encoding=\"bogus\"?><d/>", "\"bogus\""},
      {"latin-1 encoding", "<?xml version='1.0' encoding='ISO-8859-1'?><d/>", "ISO-8859-1"},
      {"undeclared element prefix", "<w:d><x:e/></w:d>", "<w:d>"},
      {"prefix out of scope", "<d><x:e xmlns:x=\"urn:x\"/><x:f/></d>", "<x:f>"},
      {"undeclared attribute prefix", "<d " + kW + "><w:e q:val=\"1\"/></d>", "\"q:val\""},
      {"duplicate attribute", "<d " + kW + "><w:e w:val=\"1\" w:val=\"2\"/></d>", "\"w:val\" given twice"},
      {"duplicate among many", "<d a=\"\" b=\"\" c=\"\" d=\"\" e=\"\" f=\"\" g=\"\" h=\"\" i=\"\" a=\"\"/>",
       "\"a\" given twice"},
      {"second root", "<d/><e/>", "second root element <e>"},
  };
  for (const Case& c : cases)
    EXPECT_NE(faultOf(c.xml).find(c.fault), std::string::npos) << c.label << ": " << faultOf(c.xml);
  for (const Case& c : cases) {
    if (!*c.fault) {
      EXPECT_EQ(faultOf(c.xml), "") << c.label;
    }
  }
}

TEST(XmlCheck, FaultsSayWhereTheyAre) {
  const std::string xml = "<d>\n<e>\n&bogus;</e></d>";
  const auto fault = checkXmlBytes(xml);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->offset, xml.find('&'));
}

// UTF-16 parts (with and without a byte-order mark, either byte order) get the same checks.
std::string utf16(const std::string& ascii, bool bigEndian, bool bom) {
  std::string out = bom ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return out;
}

TEST(XmlCheck, Utf16PartsAreCheckedAlike) {
  for (bool bigEndian : {false, true})
    for (bool bom : {false, true}) {
      EXPECT_FALSE(checkXmlBytes(utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?><d>a</d>", bigEndian, bom)));
      const auto fault = checkXmlBytes(utf16("<d>&#0;</d>", bigEndian, bom));
      ASSERT_TRUE(fault);
      EXPECT_NE(fault->what.find("&#0;"), std::string::npos) << fault->what;
      EXPECT_FALSE(fault->offset);
    }
  EXPECT_TRUE(checkXmlBytes(std::string("\xFF\xFE<\0\x00\xD8>\0", 8))) << "a lone surrogate";
}

// Elements nested n deep, as one line of XML.
std::string nested(std::size_t n) {
  std::string xml;
  for (std::size_t i = 0; i < n; ++i) xml += "<e>";
  for (std::size_t i = 0; i < n; ++i) xml += "</e>";
  return xml;
}

TEST(XmlCheck, TextToBeWrittenIsCheckedBeforeItGoesIntoAPart) {
  EXPECT_EQ(unwritableInXml("Seller \t\xE2\x80\x9C"
                            "Buyer\xE2\x80\x9D \xF0\x9F\x98\x80"),
            std::nullopt);
  EXPECT_EQ(unwritableInXml("a\x01"), "the character U+0001");
  EXPECT_EQ(unwritableInXml("a\xEF\xBF\xBF"), "the character U+FFFF");
  EXPECT_EQ(unwritableInXml("a\xED\xA0\x80"), "bytes that are not UTF-8");  // a surrogate
  EXPECT_EQ(unwritableInXml("a\xC3"), "bytes that are not UTF-8");          // cut short
}

TEST(XmlCheck, DepthIsBoundedAndTheWalkDoesNotRecurse) {
  EXPECT_EQ(faultOf(nested(kMaxXmlDepth)), "");
  EXPECT_NE(faultOf(nested(kMaxXmlDepth + 1)).find("nested more than 1000 deep"), std::string::npos);
  // Far deeper than any stack would take if the walk recursed (or pugixml's parse did).
  EXPECT_NE(faultOf(nested(200000)).find("nested more than"), std::string::npos);
}

}  // namespace
}  // namespace host
