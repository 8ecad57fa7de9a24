#pragma once
// Numbers written as page numbers and note marks show them in another form than decimal.

#include <string>

namespace host {

/// The Roman numeral of n ("xiv", or "XIV" when upper); decimal digits for a number the
/// numerals cannot write (below 1, above 3999).
std::string romanNumeral(int n, bool upper);

}  // namespace host
