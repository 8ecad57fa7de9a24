#include "bench/synthetic_contract.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <utility>

#include "host/platform/error.h"

namespace bench {

namespace {

using host::DocxBuilder;

// Letter paper with the wide side margins of many US contracts; with 12 pt text a page of
// clauses holds about this many characters.
constexpr DocxBuilder::PageSetup kPage = {
    .paper = DocxBuilder::Paper::Letter, .top = 1440, .bottom = 1440, .left = 1800, .right = 1800};
constexpr std::int64_t kCharsPerPage = 3150;
constexpr std::int64_t kCharsPerArticle = 2 * kCharsPerPage;
constexpr int kSentencesPerClause = 4;

// Word lists of the terms; kept disjoint so that no term repeats a word.
constexpr std::array<std::string_view, 58> kNouns = {
    "Account",        "Affiliate",   "Allowance", "Amount",      "Asset",      "Balance",    "Benefit",
    "Budget",         "Business",    "Charge",    "Claim",       "Collateral", "Commitment", "Consent",
    "Contribution",   "Cost",        "Date",      "Deposit",     "Dispute",    "Document",   "Employee",
    "Entitlement",    "Event",       "Expenses",  "Facility",    "Fee",        "Guarantee",  "Holder",
    "Indebtedness",   "Information", "Interest",  "Inventory",   "Investor",   "Lender",     "Liabilities",
    "Licence",        "Loss",        "Notice",    "Obligations", "Party",      "Payment",    "Period",
    "Premises",       "Price",       "Proceeds",  "Property",    "Rate",       "Records",    "Report",
    "Representative", "Reserve",     "Security",  "Services",    "Shares",     "Statement",  "Territory",
    "Threshold",      "Warranty"};
constexpr std::array<std::string_view, 56> kQualifiers = {
    "Adjusted",   "Aggregate", "Annual",     "Applicable",  "Approved",     "Assigned",    "Authorised", "Base",
    "Capital",    "Closing",   "Committed",  "Completion",  "Consolidated", "Core",        "Covered",    "Deferred",
    "Designated", "Disclosed", "Effective",  "Eligible",    "Escrow",       "Estimated",   "Excluded",   "Final",
    "Financial",  "Fixed",     "General",    "Initial",     "Interim",      "Key",         "Licensed",   "Material",
    "Minimum",    "Net",       "Operating",  "Outstanding", "Permitted",    "Primary",     "Principal",  "Qualified",
    "Regulatory", "Relevant",  "Reserved",   "Restricted",  "Scheduled",    "Secured",     "Senior",     "Shared",
    "Specified",  "Standard",  "Subsidiary", "Target",      "Total",        "Transferred", "Variable",   "Working"};

// Sentences of the body and of footnotes; each % takes a term.
constexpr std::array<std::string_view, 18> kSentences = {
    "The % shall deliver to the % a written statement of the % within ten business days after "
    "each quarter.",
    "No % may be assigned by the % without the prior written consent of the %, which shall not "
    "be unreasonably withheld.",
    "The % shall be calculated by reference to the % and the % as at the end of the relevant "
    "period.",
    "Any sum payable in respect of the % shall be paid within thirty days after the % and the % "
    "are agreed.",
    "If the % is not agreed, either party may refer the % and the % to an independent expert for "
    "determination.",
    "The obligations of the % in respect of the % are in addition to its obligations in respect "
    "of the %.",
    "Nothing in this clause limits the right of the % to recover any loss relating to the % or "
    "the %.",
    "The % warrants that the % has been prepared in good faith and in accordance with the %.",
    "Each payment made in respect of the % or the % shall be made free of any deduction, save as "
    "required by law.",
    "The % shall keep accurate records of the % and of the %, and shall make them available on "
    "reasonable notice.",
    "For the avoidance of doubt, the % does not include any amount already taken into account in "
    "the % or the %.",
    "Where the % exceeds the %, the excess shall be repaid to the % within ten business days of "
    "written demand.",
    "The % may require that the % be verified by independent accountants, and the % shall bear "
    "their costs.",
    "All rights in the % remain vested in the % until the % has been paid in full.",
    "In calculating the %, no account shall be taken of any change in law after the date of the "
    "%.",
    "The % shall use reasonable endeavours to procure that the % and the % are maintained in full "
    "force and effect.",
    "Subject to the %, the % may suspend performance of the % on giving not less than five "
    "business days’ notice.",
    "The % and the % shall cooperate in good faith to resolve any question concerning the %.",
};

constexpr std::array<std::string_view, 6> kDefinitions = {
    "the % as adjusted in accordance with the %",
    "any amount payable by the % in connection with the %",
    "the arrangements relating to the % described in the %",
    "each person who holds an interest in the % from time to time",
    "the period beginning on the date of the % and ending on the date of the %",
    "all rights and obligations of the % under or in connection with the %",
};

constexpr std::array<std::string_view, 5> kHeadings = {
    "The %", "Payment of the %", "The % and the %", "Obligations relating to the %", "Termination of the %",
};

constexpr std::array<std::string_view, 8> kCaptions = {
    "Payment", "Records", "Disputes", "Warranties", "Costs", "Assignment", "Suspension", "Verification",
};

// Stands in for a term when the contract has none.
constexpr std::string_view kNoTerm = "relevant party";

// A linear congruential sequence: the same numbers on every platform and library.
class Sequence {
 public:
  /// A number from 0 to n - 1 (n > 0).
  std::uint64_t below(std::uint64_t n) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state_ >> 33) % n;
  }

 private:
  std::uint64_t state_ = 20240101;
};

// A step through 0..size-1 that visits every number once: a stride coprime with size.
std::uint64_t strideFor(std::uint64_t size) {
  std::uint64_t stride = 7919;
  while (std::gcd(stride, size) != 1) ++stride;
  return stride;
}

class Generator {
 public:
  Generator(const ContractShape& shape, std::vector<std::string> terms)
      : shape_(shape), terms_(std::move(terms)), budget_(static_cast<std::int64_t>(shape.pages) * kCharsPerPage) {
    for (std::size_t i = 3; i < terms_.size(); i += 4) inlineTerms_.push_back(i);
  }

  DocxBuilder build() {
    doc_.setTitle("Master Services Agreement");
    doc_.setPageSetup(kPage);
    doc_.startParagraph(DocxBuilder::Style::Title, DocxBuilder::Align::Center);
    doc_.addRun("Master Services Agreement");
    definitionsArticle();
    inlineStart_ = emitted_;
    do {
      article();
    } while (emitted_ < budget_);
    if (nextInline_ < inlineTerms_.size()) {
      startClause();
      while (nextInline_ < inlineTerms_.size()) sentence(true);
    }
    flush();
    while (nextFootnote_ < shape_.footnotes) footnote();
    schedule();
    return std::move(doc_);
  }

 private:
  // A term for a slot, any term at all, or any but the one excluded.
  std::string_view term(std::size_t excluded = SIZE_MAX) {
    if (terms_.empty() || (terms_.size() == 1 && excluded == 0)) return kNoTerm;
    std::size_t pick = rng_.below(terms_.size());
    if (pick == excluded) pick = (pick + 1) % terms_.size();
    return terms_[pick];
  }

  std::string fill(std::string_view pattern, std::size_t excluded = SIZE_MAX) {
    std::string out;
    out.reserve(pattern.size() + 64);
    for (const char c : pattern) {
      if (c == '%') out += term(excluded);
      else out += c;
    }
    return out;
  }

  void text(std::string_view s) {
    pending_ += s;
    emitted_ += static_cast<std::int64_t>(s.size());
  }

  void flush() {
    if (pending_.empty()) return;
    doc_.addRun(pending_);
    pending_.clear();
  }

  void bold(std::string_view s) {
    flush();
    doc_.addRun(s, {.bold = true});
    emitted_ += static_cast<std::int64_t>(s.size());
  }

  // The term's name in curly quotes, bold inside the quotes for every third term.
  void quotedTerm(std::size_t index) {
    text("“");
    if (index % 3 == 0) bold(terms_[index]);
    else text(terms_[index]);
    text("”");
  }

  void definitionsArticle() {
    doc_.startParagraph(DocxBuilder::Style::Heading1);
    doc_.addRun("Article 1 – Definitions and Interpretation");
    startClause();
    text(
        "In this document the following words and expressions have the meanings given to them "
        "below.");
    std::vector<std::size_t> listed;
    for (std::size_t i = 0; i < terms_.size(); ++i)
      if (i % 4 != 3) listed.push_back(i);
    std::sort(listed.begin(), listed.end(), [&](std::size_t a, std::size_t b) { return terms_[a] < terms_[b]; });
    for (const std::size_t i : listed) {
      flush();
      doc_.startParagraph(DocxBuilder::Style::Normal, DocxBuilder::Align::Justify);
      quotedTerm(i);
      text(" means ");
      text(fill(kDefinitions[rng_.below(kDefinitions.size())], i));
      text(i == listed.back() ? "." : ";");
      footnotesDue();
    }
  }

  void article() {
    flush();
    ++articleNumber_;
    clauseNumber_ = 0;
    doc_.startParagraph(DocxBuilder::Style::Heading1);
    const std::string heading = "Article " + std::to_string(articleNumber_) + " – " +
                                fill(kHeadings[rng_.below(kHeadings.size())]);
    doc_.addRun(heading);
    emitted_ += static_cast<std::int64_t>(heading.size());
    const std::int64_t end = emitted_ + kCharsPerArticle;
    while (emitted_ < end && emitted_ < budget_) {
      startClause();
      bold(std::string(kCaptions[rng_.below(kCaptions.size())]) + ".");
      for (int s = 0; s < kSentencesPerClause; ++s) sentence(inlineDue());
    }
  }

  void startClause() {
    flush();
    doc_.startParagraph(DocxBuilder::Style::Normal, DocxBuilder::Align::Justify);
    text(std::to_string(articleNumber_) + "." + std::to_string(++clauseNumber_) + "\t");
  }

  // True when the next term defined in the body is due at this point of the text.
  bool inlineDue() const {
    if (nextInline_ >= inlineTerms_.size()) return false;
    const std::int64_t span = std::max<std::int64_t>(budget_ - inlineStart_, 1);
    const auto count = static_cast<std::int64_t>(inlineTerms_.size());
    const auto due = inlineStart_ + span * (2 * static_cast<std::int64_t>(nextInline_) + 1) / (2 * count);
    return emitted_ >= due;
  }

  // One sentence; a defining one ends with (the “Term”) before its full stop.
  void sentence(bool defining) {
    std::string s = " " + fill(kSentences[rng_.below(kSentences.size())]);
    if (!defining) {
      text(s);
    } else {
      s.pop_back();
      text(s + " (the ");
      quotedTerm(inlineTerms_[nextInline_++]);
      text(").");
    }
    footnotesDue();
  }

  void footnotesDue() {
    const auto count = static_cast<std::int64_t>(shape_.footnotes) + 1;
    while (nextFootnote_ < shape_.footnotes && emitted_ >= budget_ * (nextFootnote_ + 1) / count) footnote();
  }

  void footnote() {
    flush();
    doc_.addFootnote({{fill(kSentences[rng_.below(kSentences.size())]), {}}});
    ++nextFootnote_;
  }

  void schedule() {
    doc_.addPageBreak();
    doc_.startParagraph(DocxBuilder::Style::Heading1);
    doc_.addRun("Schedule – Payment Schedule");
    std::vector<std::vector<std::string>> rows = {{"Instalment", "Due", "Amount", "Basis of calculation"}};
    for (int i = 1; i <= 12; ++i)
      rows.push_back({"Instalment " + std::to_string(i), fill("Month " + std::to_string(i) + " after the %"),
                      "£" + std::to_string(25 * i) + ",000", fill("The % less the %")});
    doc_.addTable(rows, true);
  }

  ContractShape shape_;
  std::vector<std::string> terms_;
  std::int64_t budget_;
  DocxBuilder doc_;
  Sequence rng_;
  std::string pending_;                   // plain text of the open paragraph not yet added
  std::int64_t emitted_ = 0;              // characters of body text so far
  std::int64_t inlineStart_ = 0;          // where body text after the definitions begins
  std::vector<std::size_t> inlineTerms_;  // terms defined in the body, in order
  std::size_t nextInline_ = 0;
  int nextFootnote_ = 0;
  int articleNumber_ = 1;
  int clauseNumber_ = 0;
};

}  // namespace

std::vector<std::string> syntheticTerms(int count) {
  const std::uint64_t singles = kNouns.size();
  const std::uint64_t doubles = kQualifiers.size() * kNouns.size();
  const std::uint64_t triples = kQualifiers.size() * (kQualifiers.size() - 1) * kNouns.size();
  const std::array<std::uint64_t, 3> sizes = {singles, doubles, triples};
  const std::array<std::uint64_t, 3> strides = {strideFor(singles), strideFor(doubles), strideFor(triples)};
  std::array<std::uint64_t, 3> used = {0, 0, 0};

  std::vector<std::string> terms;
  terms.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    // One term in ten a single word, half of them two words, the rest three.
    const int slot = i % 10;
    std::size_t pool = slot == 0 ? 0 : slot <= 5 ? 1 : 2;
    while (used[pool] == sizes[pool]) pool = (pool + 1) % 3;
    const std::uint64_t at = (used[pool]++ * strides[pool]) % sizes[pool];
    std::string term;
    if (pool == 0) {
      term = kNouns[at];
    } else if (pool == 1) {
      term = std::string(kQualifiers[at % kQualifiers.size()]) + " " + std::string(kNouns[at / kQualifiers.size()]);
    } else {
      const std::uint64_t noun = at % kNouns.size();
      const std::uint64_t rest = at / kNouns.size();
      const std::uint64_t first = rest % kQualifiers.size();
      std::uint64_t second = rest / kQualifiers.size();
      if (second >= first) ++second;
      term = std::string(kQualifiers[first]) + " " + std::string(kQualifiers[second]) + " " + std::string(kNouns[noun]);
    }
    terms.push_back(std::move(term));
  }
  return terms;
}

host::DocxBuilder buildSyntheticContract(const ContractShape& shape) {
  const auto check = [](int value, int low, int high, const char* what) {
    if (value < low || value > high)
      throw host::Error(host::kErrBadArgument, std::string("The number of ") + what + " must be from " +
                                                   std::to_string(low) + " to " + std::to_string(high) + ", not " +
                                                   std::to_string(value) + ".");
  };
  check(shape.pages, 1, kMaxPages, "pages");
  check(shape.terms, 0, kMaxTerms, "terms");
  check(shape.footnotes, 0, kMaxFootnotes, "footnotes");
  return Generator(shape, syntheticTerms(shape.terms)).build();
}

}  // namespace bench
