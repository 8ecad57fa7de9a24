#pragma once
// The sample contract shipped with Vellandex: a short asset purchase agreement whose defined
// terms, notes, table and capitalised headings exercise everything the indexer looks at.

#include <string>
#include <vector>

#include "host/builder/docx_builder.h"

namespace examples {

/// The sample contract, ready to be saved.
host::DocxBuilder buildSampleContract();

/// The terms the sample contract defines in double quotes, as its text was written: those of
/// the main text in the order they stand, then those of the footnotes, then the endnotes.
std::vector<std::string> sampleDefinedTerms();

}  // namespace examples
