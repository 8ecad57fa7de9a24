#pragma once
// The quoted-term finder: every stretch of text between an open and the next close quote in
// the main text, footnotes and endnotes (optionally only where it is bold), listed once each
// in the order first met; quotes placed before an article can be moved past it; and the
// found-terms area of the main dialog says what came of the search.

#include <string>
#include <vector>

#include "dialogs/frm_vlx_com.h"
#include "host/model/document.h"
#include "host/model/range.h"
#include "host/shell/application.h"

namespace discovery {

/// Replaces arrTerms by the quoted terms of every text story (one empty element when none),
/// offering after each search to move quotes that stand before an article; then sets the
/// found-terms area. inWindow shows progress in the progress window, else in the status bar.
/// Errors reach the caller.
void fncFindQuotedTerms(std::vector<std::string>& arrTerms, host::Document& doc, dialogs::frmVLX_COM& form,
                        bool blnBold, int openCode, int closeCode, bool inWindow);

/// Searches one story (moving storyRange through it) and returns arrTerms with the story's new
/// terms added after them. A failure is reported with the story's name and gives arrTerms
/// unchanged, so that the other stories' terms are kept.
std::vector<std::string> fncSearchStoryForQuotedTerms(const std::vector<std::string>& arrTerms, host::Application& app,
                                                      host::Document& doc, host::Range& storyRange,
                                                      dialogs::frmVLX_COM& form, bool blnBold, int openCode,
                                                      int closeCode, bool inWindow, const std::string& indexWhat);

/// Moves the open quote of every quoted occurrence of term (an article, a space and the rest)
/// behind the article, in every text story. quoteCode is the open quote searched for; the
/// straight quote finds straight and curly quotes alike.
void MoveQuoteAfterArticle(host::Document& doc, const std::string& term, int quoteCode = 34);

/// The terms among arrTerms that begin with an article ("a", "an", "any", "the") followed by
/// more than spaces, in list order.
std::vector<std::string> TermsWithArticles(const std::vector<std::string>& arrTerms);

/// True when the list holds a term (its first element is not empty or it has more than one).
bool TermsFound(const std::vector<std::string>& arrTerms);

/// Sets the texts and visibility of the found-terms area for a search that found terms or not.
void ShowFoundTermsArea(dialogs::frmVLX_COM& form, bool found);

}  // namespace discovery
