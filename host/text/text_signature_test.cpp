#include "host/text/text_signature.h"

#include <random>

#include <gtest/gtest.h>

#include "host/parse/pattern.h"

namespace host {
namespace {

// A text cut into paragraphs the way a story view cuts it: most end in a paragraph mark, some
// (a hidden mark, a paragraph of nothing visible) run on into the next.
struct Paragraphs {
  Text text;
  std::vector<std::size_t> first;
  SignatureSlices signatures;
};

Paragraphs randomParagraphs(std::mt19937& rng) {
  static const char16_t alphabet[] = u"abAB  \"";
  Paragraphs p;
  // Enough paragraphs for several words of slices, and in half the texts every paragraph
  // closed, so that whole words of paragraphs are passed over.
  const int openOneIn = std::uniform_int_distribution<int>(0, 1)(rng) ? 4 : 1000;
  int count = std::uniform_int_distribution<int>(1, 80)(rng);
  std::vector<TextSignature> signatures;
  for (int i = 0; i < count; ++i) {
    p.first.push_back(p.text.size());
    int length = std::uniform_int_distribution<int>(0, 14)(rng);
    for (int k = 0; k < length; ++k) p.text += alphabet[std::uniform_int_distribution<int>(0, 6)(rng)];
    if (std::uniform_int_distribution<int>(1, openOneIn)(rng) != 1) p.text += ch::kParagraph;
    signatures.push_back(TextSignature::ofParagraph(std::u16string_view(p.text).substr(p.first.back())));
  }
  p.first.push_back(p.text.size());
  p.signatures.assign(signatures);
  return p;
}

TEST(TextSignature, SearchSkippingParagraphsFindsWhatAFullScanFinds) {
  std::mt19937 rng(7);
  for (int round = 0; round < 1000; ++round) {
    Paragraphs p = randomParagraphs(rng);
    // Needles taken from the text (so that most are there) and a few made up.
    std::size_t at = std::uniform_int_distribution<std::size_t>(0, p.text.size())(rng);
    std::size_t length = std::uniform_int_distribution<std::size_t>(1, 8)(rng);
    Text needle = p.text.substr(at, length);
    if (needle.empty() || round % 5 == 0) needle = u"aBa";
    for (bool matchCase : {true, false}) {
      Pattern pattern(needle, false, matchCase);
      if (pattern.folded()) continue;  // folding is the view's business; the search is the same
      SignedText signedText{p.text, p.first, p.signatures};
      for (bool whole : {false, true}) {
        for (std::size_t from = 0; from <= p.text.size(); from += 5) {
          auto expected = pattern.search(p.text, from, p.text.size(), whole);
          ASSERT_EQ(pattern.search(signedText, from, p.text.size(), whole), expected)
              << "round " << round << " from " << from << " needle " << toUtf8(needle);
        }
      }
    }
  }
}

TEST(TextSignature, EverySequenceOfAParagraphFindsIt) {
  Text paragraph = u"The Purchase Price is payable on Completion.\r";
  SignatureSlices slices;
  slices.assign({TextSignature::of(u"Nothing to see here.\r"), TextSignature::of(paragraph)});
  for (std::size_t i = 0; i + 5 <= paragraph.size(); ++i)
    EXPECT_EQ(slices.next(TextSignature::of(std::u16string_view(paragraph).substr(i, 5)).bits(), 0), 1u) << i;
  EXPECT_EQ(slices.next(TextSignature::of(u"abc").bits(), 0), 0u);  // too short to hold a sequence
}

TEST(SignatureSlices, AParagraphsNewSignatureReplacesItsOld) {
  std::vector<TextSignature> plain(130, TextSignature::of(u"plain words only\r"));
  SignatureSlices slices;
  slices.assign(plain);
  const std::vector<std::uint16_t> term = TextSignature::of(u"Escrow Amount").bits();
  EXPECT_EQ(slices.next(term, 0), 130u);
  slices.set(100, TextSignature::of(u"the Escrow Amount\r"));
  slices.set(3, TextSignature::ofParagraph(u"runs on"));  // not closed: may hold anything
  EXPECT_EQ(slices.next(term, 0), 3u);
  EXPECT_EQ(slices.next(term, 4), 100u);
  EXPECT_EQ(slices.next(term, 101), 130u);
  slices.set(100, plain[100]);
  EXPECT_EQ(slices.next(term, 4), 130u);
}

}  // namespace
}  // namespace host
