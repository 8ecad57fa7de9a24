#include "discovery/capped_phrases.h"

#include <gtest/gtest.h>

#include "host/text/text.h"

namespace discovery {
namespace {

using Terms = std::vector<std::string>;

Terms candidates(const std::vector<std::string>& paragraphs, const CappedPhrases::Accept& accept = nullptr) {
  CappedPhrases phrases;
  for (const std::string& paragraph : paragraphs)
    phrases.AddParagraph(
        host::toText(paragraph), accept ? accept : [](std::u16string_view, std::size_t, std::size_t) { return true; });
  return phrases.Candidates();
}

TEST(CappedPhrases, NamesAsAReaderOfContractsTakesThem) {
  EXPECT_EQ(candidates({"This Agreement is made between the Seller and the Buyer. The Seller shall pay the Purchase "
                        "Price to the Bank of England, and the Chief Executive Officer shall sign it."}),
            (Terms{"Agreement", "Bank of England", "Buyer", "Chief Executive Officer", "Purchase Price", "Seller"}));
}

TEST(CappedPhrases, SmallWordsJoinNamesButAListOfTwoThingsStaysTwo) {
  EXPECT_EQ(candidates({"under the Sale and Purchase terms, the Bank of the North and the Court of Appeal in London;",
                        "between the Lender and the Borrower, or the Lender of a Loan as Agent"}),
            (Terms{"Bank of the North", "Borrower", "Court of Appeal in London", "Lender", "Lender of a Loan as Agent",
                   "Sale and Purchase"}));
  // A small word that no capitalised word follows is not part of the name.
  EXPECT_EQ(candidates({"paid to the Escrow Agent of the parties"}), (Terms{"Escrow Agent"}));
}

TEST(CappedPhrases, BracketsStopsColonsSemicolonsAndBreaksEndAPhrase) {
  EXPECT_EQ(candidates({"the Seller (Holdings) Limited [Draft] Copy; the Closing: Date. Next Steps"}),
            (Terms{"Closing", "Copy", "Date", "Draft", "Holdings", "Limited", "Seller", "Steps"}));
  // A manual line break ends a name: no term holds a break the index could not match.
  EXPECT_EQ(candidates({"signed by the Chief Executive\vOfficer and the Finance Director"}),
            (Terms{"Chief Executive", "Finance Director", "Officer"}));
}

TEST(CappedPhrases, ASentencesFirstWordCountsOnlyWhereTheDocumentCapitalisesItElsewhere) {
  EXPECT_EQ(candidates({"Each Party shall act. Completion of the Sale follows. Seller shall deliver.",
                        "In this Deed the Seller means the vendor."}),
            (Terms{"Deed", "Party", "Sale", "Seller"}));
  // After a clause number and its tab a new sentence starts too.
  EXPECT_EQ(candidates({"1.1\tPurchased Assets. Within five Business Days", "the Purchased Assets"}),
            (Terms{"Business Days", "Purchased Assets"}));
}

TEST(CappedPhrases, AParagraphInCapitalsIsPassedOver) {
  EXPECT_EQ(candidates({"ARTICLE 2 \u2013 PURCHASE PRICE AND PAYMENT", "the Purchase Price is due"}),
            (Terms{"Purchase Price"}));
}

TEST(CappedPhrases, PossessivesAmpersandsAndDuplicates) {
  EXPECT_EQ(candidates({"the Seller\u2019s right and the Parties' rights; Harrow & Vale Tooling Ltd and the Seller",
                        "the Seller's goods and the SELLER"}),
            (Terms{"Harrow & Vale Tooling Ltd", "Parties", "SELLER", "Seller"}));
}

TEST(CappedPhrases, AWordThatDoesNotCountEndsThePhraseAndSortingIsOrdinal) {
  // Words with digits refused, as "ignore words with numbers" does.
  auto noDigits = [](std::u16string_view word, std::size_t, std::size_t) {
    return word.find_first_of(u"0123456789") == std::u16string_view::npos;
  };
  EXPECT_EQ(candidates({"the Tranche B2 Loan and the Zeta Fund and the alpha Beta"}, noDigits),
            (Terms{"Beta", "Loan", "Tranche", "Zeta Fund"}));
  // Accept sees each capitalised word once, with its place in the paragraph.
  std::vector<std::pair<std::size_t, std::size_t>> seen;
  candidates({"the \u00C9clair and Purchase Price's"}, [&](std::u16string_view, std::size_t start, std::size_t end) {
    seen.emplace_back(start, end);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{15, 23}, {24, 29}}));
}

TEST(CappedPhrases, CappedWordsBeginWithALetterAToZ) {
  EXPECT_TRUE(IsCappedWord(u"Price"));
  EXPECT_TRUE(IsCappedWord(u"VAT"));
  EXPECT_FALSE(IsCappedWord(u"price"));
  EXPECT_FALSE(IsCappedWord(u"\u00C9clair"));
  EXPECT_FALSE(IsCappedWord(u"2B"));
  EXPECT_FALSE(IsCappedWord(u""));
}

}  // namespace
}  // namespace discovery
