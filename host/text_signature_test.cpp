#include "host/text_signature.h"

#include <gtest/gtest.h>

#include <random>

#include "host/pattern.h"

namespace host {
namespace {

// A text cut into paragraphs the way a story view cuts it: most end in a paragraph mark, some
// (a hidden mark, a paragraph of nothing visible) run on into the next.
struct Paragraphs {
  Text text;
  std::vector<std::size_t> first;
  std::vector<TextSignature> signatures;
  std::vector<TextSignature> groups;
};

Paragraphs randomParagraphs(std::mt19937& rng) {
  static const char16_t alphabet[] = u"abAB  \"";
  Paragraphs p;
  // Enough paragraphs for several groups, and in half the texts every paragraph closed, so
  // that whole groups are passed over.
  const int openOneIn = std::uniform_int_distribution<int>(0, 1)(rng) ? 4 : 1000;
  int count = std::uniform_int_distribution<int>(1, 3 * SignedText::kGroup + 2)(rng);
  for (int i = 0; i < count; ++i) {
    p.first.push_back(p.text.size());
    int length = std::uniform_int_distribution<int>(0, 14)(rng);
    for (int k = 0; k < length; ++k) p.text += alphabet[std::uniform_int_distribution<int>(0, 6)(rng)];
    if (std::uniform_int_distribution<int>(1, openOneIn)(rng) != 1) p.text += ch::kParagraph;
    p.signatures.push_back(TextSignature::ofParagraph(std::u16string_view(p.text).substr(p.first.back())));
  }
  p.first.push_back(p.text.size());
  p.groups = SignedText::groupsOf(p.signatures);
  return p;
}

TEST(TextSignature, SearchSkippingParagraphsFindsWhatAFullScanFinds) {
  std::mt19937 rng(7);
  for (int round = 0; round < 1500; ++round) {
    Paragraphs p = randomParagraphs(rng);
    // Needles taken from the text (so that most are there) and a few made up.
    std::size_t at = std::uniform_int_distribution<std::size_t>(0, p.text.size())(rng);
    std::size_t length = std::uniform_int_distribution<std::size_t>(1, 8)(rng);
    Text needle = p.text.substr(at, length);
    if (needle.empty() || round % 5 == 0) needle = u"aBa";
    for (bool matchCase : {true, false}) {
      Pattern pattern(needle, false, matchCase);
      if (pattern.folded()) continue;  // folding is the view's business; the search is the same
      SignedText signedText{p.text, p.first, p.signatures, p.groups};
      for (bool whole : {false, true}) {
        for (std::size_t from = 0; from <= p.text.size(); from += 3) {
          auto expected = pattern.search(p.text, from, p.text.size(), whole);
          ASSERT_EQ(pattern.search(signedText, from, p.text.size(), whole), expected)
              << "round " << round << " from " << from << " needle " << toUtf8(needle);
        }
      }
    }
  }
}

TEST(TextSignature, CoversEverySequenceOfItsOwnText) {
  Text paragraph = u"The Purchase Price is payable on Completion.\r";
  TextSignature whole = TextSignature::of(paragraph);
  for (std::size_t i = 0; i + 3 <= paragraph.size(); ++i)
    EXPECT_TRUE(whole.covers(TextSignature::of(std::u16string_view(paragraph).substr(i, 5)).probe()));
  EXPECT_TRUE(whole.covers(TextSignature::of(u"abc").probe()));  // too short to hold a sequence
}

}  // namespace
}  // namespace host
