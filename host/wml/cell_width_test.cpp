#include "host/wml/cell_width.h"

#include <string>

#include <gtest/gtest.h>

namespace host {
namespace {

struct Case {
  const char* behaviour;
  std::string tcPr;
  CellWidth::Unit unit;
  double value;
};

TEST(CellWidth, ReadsTwipsAndFractionsAndNothingElse) {
  using Unit = CellWidth::Unit;
  const Case cases[] = {
      {"twips", "<w:tcW w:w=\"1440\" w:type=\"dxa\"/>", Unit::Twips, 1440},
      {"fiftieths of a percent", "<w:tcW w:w=\"2500\" w:type=\"pct\"/>", Unit::Fraction, 0.5},
      {"a percentage written with its sign", "<w:tcW w:w=\"25%\" w:type=\"pct\"/>", Unit::Fraction, 0.25},
      {"automatic", "<w:tcW w:w=\"1440\" w:type=\"auto\"/>", Unit::None, 0},
      {"no type", "<w:tcW w:w=\"1440\"/>", Unit::None, 0},
      {"zero", "<w:tcW w:w=\"0\" w:type=\"dxa\"/>", Unit::None, 0},
      {"negative", "<w:tcW w:w=\"-5\" w:type=\"pct\"/>", Unit::None, 0},
      {"not a number", "<w:tcW w:w=\"nan\" w:type=\"dxa\"/>", Unit::None, 0},
      {"no width element", "<w:gridSpan w:val=\"2\"/>", Unit::None, 0},
  };
  for (const Case& c : cases) {
    pugi::xml_document doc;
    std::string xml = std::string("<w:tc xmlns:w=\"") + kMainNamespace + "\"><w:tcPr>" + c.tcPr + "</w:tcPr></w:tc>";
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    CellWidth read = cellWidthOf(Wml::of(doc), doc.document_element());
    EXPECT_EQ(read.unit, c.unit) << c.behaviour;
    EXPECT_DOUBLE_EQ(read.value, c.value) << c.behaviour;
  }
}

}  // namespace
}  // namespace host
