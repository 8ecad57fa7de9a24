#pragma once
// The quote-pair check: before quoted terms are searched, each text story must hold its open
// and close quotes in pairs, or one stray quote would shift every later pair. An unbalanced
// story is reported by name; the user may have its quotes highlighted, or choose another
// quote style and have every story checked again.

#include "host/model/document.h"
#include "host/model/range.h"
#include "host/shell/application.h"

namespace discovery {

/// Result of counting the quotes of one story.
enum QuoteCount : int { kBalanced = 0, kUnbalanced = 1, kCountFailed = 2 };

/// Checks every text story of two or more characters, in story order. True when indexing must
/// not go on (the user was told why); false when it may. When the user picks another quote
/// style the codes receive it.
bool fncCheckQuotePairs(host::Application& app, host::Document& doc, int& openCode, int& closeCode);

/// Counts the quotes of the story of storyRange on a fresh range of it. Equal codes balance
/// when their count is even; the curly pair when its counts differ by an even number; any
/// other pair only when the counts are equal. A failure is reported ("Error counting
/// quotes") and gives kCountFailed.
int fncCountQuotes(host::Application& app, host::Document& doc, int openCode, int closeCode,
                   const host::Range& storyRange);

/// Highlights every open and close quote of a story (the curly pair through its straight form).
void HighlightQuotes(host::Application& app, host::Document& doc, int openCode, int closeCode, int storyType);

/// Marks every occurrence of one quote character in a story red on 5 % grey; false after a
/// failure, which it reports ("Error highlighting quotes").
bool fncHighlightQuoteChar(host::Application& app, host::Document& doc, int code, int storyType);

}  // namespace discovery
