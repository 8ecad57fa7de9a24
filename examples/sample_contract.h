#pragma once
// The sample contract shipped with Vellandex: a short asset purchase agreement whose defined
// terms, notes, table and capitalised headings exercise everything the indexer looks at.

#include "host/docx_builder.h"

namespace examples {

/// The sample contract, ready to be saved.
host::DocxBuilder buildSampleContract();

}  // namespace examples
