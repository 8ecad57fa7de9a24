#pragma once
// A large synthetic contract for measuring the indexer: many defined terms, each used many
// times, footnotes that use them too, and article headings. The same shape always gives the
// same document.

#include <string>
#include <vector>

#include "host/builder/docx_builder.h"

namespace bench {

/// What the synthetic contract should hold.
struct ContractShape {
  int pages = 10;      // body text of roughly this many printed pages (definitions may add more)
  int terms = 100;     // distinct defined terms
  int footnotes = 10;  // footnotes spread evenly through the body
};

/// Largest values accepted for pages, terms and footnotes.
constexpr int kMaxPages = 100000;
/// Largest number of distinct terms.
constexpr int kMaxTerms = 100000;
/// Largest number of footnotes.
constexpr int kMaxFootnotes = 100000;

/// The first count distinct capitalised terms (single words and phrases of two or three words).
std::vector<std::string> syntheticTerms(int count);

/// The contract; throws host::Error when the shape is outside the accepted limits.
host::DocxBuilder buildSyntheticContract(const ContractShape& shape);

}  // namespace bench
