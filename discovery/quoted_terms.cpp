#include "discovery/quoted_terms.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "dialogs/frm_vlx_remove_articles.h"
#include "discovery/run_objects.h"
#include "discovery/step_progress.h"
#include "host/model/find.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "util/messages.h"
#include "util/quick_sort.h"

namespace discovery {

namespace {

constexpr int kCurlyOpen = 147;
constexpr int kCurlyClose = 148;
constexpr int kStraight = 34;
constexpr const char* kCrLf = "\r\n";

// A quote character as wildcard find text: the pattern characters escaped.
std::string wildcardLiteral(int code) {
  const std::string text = QuoteText(code);
  return text.size() == 1 && std::string_view("?*[]<>{}@\\()!^").find(text[0]) != std::string_view::npos ? "\\" + text
                                                                                                         : text;
}

void removeSpare(std::vector<std::string>& list) {
  if (list.size() > 1 && list.back().empty()) list.pop_back();
}

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool isArticle(const std::string& word) {
  const std::string w = lowered(word);
  return w == "a" || w == "an" || w == "any" || w == "the";
}

// The search of every text story, without the article step.
std::vector<std::string> searchAllStories(host::Application& app, host::Document& doc, dialogs::frmVLX_COM& form,
                                          bool bold, int openCode, int closeCode, bool inWindow) {
  std::vector<std::string> terms{""};
  const std::string indexWhat = settings::fncReadIni(settings::kSection, settings::kIndexWhat);
  for (host::Range story : doc.StoryRanges())
    if (story.StoryType() < 4)
      terms = fncSearchStoryForQuotedTerms(terms, app, doc, story, form, bold, openCode, closeCode, inWindow,
                                           indexWhat);
  return terms;
}

// Shows the article dialog; the terms ticked, or none when it was cancelled.
std::vector<std::string> askWhichArticlesToMove(std::vector<std::string> articles) {
  util::QuickSort(articles, 0, static_cast<int>(articles.size()) - 1);
  dialogs::frmVLXRemoveArticles dialog;
  dialog.lstTerms.Clear();
  for (const std::string& term : articles) dialog.lstTerms.AddItem(term);
  dialog.Show(ui::vbModal);
  std::vector<std::string> ticked;
  if (dialog.Tag() != "Cancel")
    for (int i = 0; i < dialog.lstTerms.ListCount(); ++i)
      if (dialog.lstTerms.Selected(i)) ticked.push_back(dialog.lstTerms.List(i));
  dialog.Unload();
  return ticked;
}

}  // namespace

void fncFindQuotedTerms(std::vector<std::string>& arrTerms, host::Document& doc, dialogs::frmVLX_COM& form,
                        bool blnBold, int openCode, int closeCode, bool inWindow) {
  host::Application& app = RunApplication();
  // The story search turns curly quotes straight and looks for the straight one.
  const int movedQuote = openCode == kCurlyOpen ? kStraight : openCode;
  for (;;) {
    arrTerms = searchAllStories(app, doc, form, blnBold, openCode, closeCode, inWindow);
    const std::vector<std::string> articles = TermsWithArticles(arrTerms);
    if (articles.empty()) break;
    const std::vector<std::string> ticked = askWhichArticlesToMove(articles);
    if (ticked.empty()) break;
    for (const std::string& term : ticked) MoveQuoteAfterArticle(doc, term, movedQuote);
  }
  ShowFoundTermsArea(form, TermsFound(arrTerms));
}

std::vector<std::string> fncSearchStoryForQuotedTerms(const std::vector<std::string>& arrTerms, host::Application& app,
                                                      host::Document& doc, host::Range& storyRange,
                                                      dialogs::frmVLX_COM& form, bool blnBold, int openCode,
                                                      int closeCode, bool inWindow, const std::string& indexWhat) {
  StepProgress progress(form, inWindow);
  int storyType = 0;
  try {
    storyType = storyRange.StoryType();
    form.lstTermsInDoc.Clear();
    progress.Step("Finding defined terms in document", "Please wait: Finding defined terms in document");
    if (openCode == kCurlyOpen || closeCode == kCurlyClose) {
      // Every quote made straight: the curly pair is then found as straight quotes. The
      // run's restore step gives the quotes back their form.
      app.Options().AutoFormatAsYouTypeReplaceQuotes = false;
      RunEngine().SmartQuoteToggle(doc);
      if (openCode == kCurlyOpen) openCode = kStraight;
      if (closeCode == kCurlyClose) closeCode = kStraight;
    }
    const std::string pattern = wildcardLiteral(openCode) + "*" + wildcardLiteral(closeCode);
    std::vector<std::string> storyTerms{""};
    std::string strIndexType = indexWhat;
    host::Find find = storyRange.Find();
    do {
      find.ClearFormatting();
      find.SetText(pattern);
      find.SetMatchWildcards(true);
      find.SetMatchAllWordForms(false);
      find.Execute();
      if (!find.Found()) break;
      storyRange.SetStart(storyRange.Start() + 1);
      storyRange.SetEnd(storyRange.End() - 1);
      if (!blnBold || (storyRange.Characters().First().Font().Bold() == host::kTrue &&
                       storyRange.Characters().Last().Font().Bold() == host::kTrue))
        RunEngine().fncIdentifyTerm(storyRange, storyTerms, strIndexType);
      // On past the close quote (a repeated term has already been moved one on).
      storyRange.SetEnd(storyRange.End() + 1);
      storyRange.Collapse(host::wdCollapseEnd);
    } while (find.Found());
    removeSpare(storyTerms);

    progress.Step("Restoring user options", "Please wait:  restoring user options");
    std::vector<std::string> merged = arrTerms;
    std::size_t next = merged.size() == 1 && merged[0].empty() ? 0 : merged.size();
    merged.resize(storyTerms.size() + next);
    std::unordered_set<std::string> listed(arrTerms.begin(), arrTerms.end());
    for (const std::string& term : storyTerms)
      if (!term.empty() && listed.insert(term).second) merged[next++] = term;
    while (merged.size() > 1 && merged.back().empty()) merged.pop_back();
    progress.Step("Sorting", "Please wait:  sorting");
    return merged;
  } catch (const std::exception& error) {
    util::ShowErrMsg("Error finding terms in " + (StoryName(storyType).empty() ? "a story" : StoryName(storyType)),
                     error);
    return arrTerms;
  }
}

void MoveQuoteAfterArticle(host::Document& doc, const std::string& term, int quoteCode) {
  const std::string article = term.substr(0, term.find(' '));
  if (article.size() >= term.size()) return;  // an article alone: no quote to move
  const std::string rest = term.substr(article.size() + 1);
  const std::string quote = QuoteText(quoteCode);
  for (host::Range story : doc.StoryRanges()) {
    if (story.StoryType() >= 4) continue;
    for (host::Range range = story; range; range = range.NextStoryRange()) {
      if (range.StoryLength() < 2) continue;
      host::Find find = range.Find();
      find.ClearFormatting();
      find.SetText(quote + term);
      find.Replacement().SetText(article + " " + quote + rest);
      find.SetForward(true);
      find.SetWrap(host::wdFindContinue);
      find.SetFormat(false);
      // Only the term as ticked: "The Company" would otherwise lose its capital.
      find.SetMatchCase(true);
      find.Execute(host::wdReplaceAll);
    }
  }
}

std::vector<std::string> TermsWithArticles(const std::vector<std::string>& arrTerms) {
  std::vector<std::string> articles;
  for (const std::string& term : arrTerms) {
    const std::size_t space = term.find(' ');
    if (space == std::string::npos || !isArticle(term.substr(0, space))) continue;
    if (term.find_first_not_of(' ', space) == std::string::npos) continue;
    articles.push_back(term);
  }
  return articles;
}

bool TermsFound(const std::vector<std::string>& arrTerms) {
  return arrTerms.size() > 1 || (!arrTerms.empty() && !arrTerms[0].empty());
}

void ShowFoundTermsArea(dialogs::frmVLX_COM& form, bool found) {
  if (found) {
    form.lblTermsInDoc.SetCaption(std::string("The following defined terms were found in your document.  ") + kCrLf +
                                  kCrLf + "Select which terms you want to index.  You can specify " +
                                  "additional terms for indexing in the 'Add terms for indexing' " + "section below.");
  } else {
    form.lblTermsInDoc.SetCaption(
        std::string("No defined terms were found in this document.  ") + "Defined terms must be enclosed " +
        "in double quotes where they are defined to be recognized - " +
        "they will be indexed no matter how they are formatted.  " +
        "Choose the style of open and close quotes in your document " + "in the Options section below." + kCrLf +
        kCrLf + "If the defined terms in your document are in double quotes, " +
        "check the search options panel below to see whether " +
        "'Defined terms in bold' is ticked - untick it, click " +
        "'Find terms and refresh list' and they should be listed. " + kCrLf + kCrLf +
        "If the defined terms in your document aren't bold and that " + "option is ticked, they won't be listed." +
        kCrLf + kCrLf + "You can type a list of terms to index in the " +
        "'Add terms for indexing' section below, or " + "click Cancel, and make sure that your defined terms are " +
        "enclosed in double quotation marks where they are defined " + "so that they can be recognized.");
  }
  form.lstTermsInDoc.SetVisible(found);
  form.cmdDeselectAllTermsInDoc.SetVisible(found);
  form.cmdSelectAllTermsInDoc.SetVisible(found);
  form.frameTermsInDoc.SetVisible(found);
}

}  // namespace discovery
