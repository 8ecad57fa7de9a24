#pragma once
// Where the stray quote of a story whose double quotes do not pair up most likely is. Defined
// terms never run over a paragraph's end, so quotes pair up within each paragraph: the first
// quote that finds no partner there is the likely stray one.

#include <optional>
#include <string>

#include "host/model/document.h"

namespace app {

/// The likely stray quote of a story: the first close quote with no open quote before it in
/// its paragraph, or the first open quote not closed before the next open quote or the end of
/// its paragraph. With one character for both (openQuote == closeQuote), the last quote of
/// the first paragraph holding an odd number of them. The quotes are those a plain search for
/// each character finds. None when every paragraph pairs its quotes up.
std::optional<long> strayQuote(host::Document& doc, int storyType, const std::string& openQuote,
                               const std::string& closeQuote);

}  // namespace app
