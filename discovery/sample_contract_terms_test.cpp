// The quoted search on the shipped sample contract, against the terms the sample's own
// program says it defines.
#include "discovery/discovery_test_fixture.h"
#include "discovery/quoted_terms.h"
#include "examples/sample_contract.h"

namespace discovery {
namespace {

using namespace discovery::testing;

class SampleContractTerms : public DiscoveryTest {
 protected:
  std::vector<std::string> quotedTerms(host::Document& doc) {
    std::vector<std::string> terms;
    fncFindQuotedTerms(terms, doc, form_, false, 147, 148, true);
    return terms;
  }
};

TEST_F(SampleContractTerms, TheQuotedSearchFindsExactlyTheDefinedTermsWhateverTheQuotes) {
  host::Document& shipped = app_.Documents().Open(VLX_SOURCE_DIR "/examples/sample-contract.docx");
  const std::vector<std::string> defined = examples::sampleDefinedTerms();
  ASSERT_GE(defined.size(), 15u);
  EXPECT_EQ(quotedTerms(shipped), defined);

  // A copy with every quote curly, and one with every quote straight.
  for (bool curly : {true, false}) {
    host::Document& copy = app_.Documents().Add(
        host::Document::FromBytes(examples::buildSampleContract().toBytes(), curly ? "curly.docx" : "straight.docx"));
    app_.Options().AutoFormatAsYouTypeReplaceQuotes = curly;
    state::pubEngine->SmartQuoteToggle(copy);
    const std::string text = copy.Content().Text();
    EXPECT_EQ(text.find(curly ? "\"" : "\u201C"), std::string::npos) << curly;
    EXPECT_EQ(quotedTerms(copy), defined) << curly;
  }
}

}  // namespace
}  // namespace discovery
