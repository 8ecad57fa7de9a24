#include "discovery/quote_pairs.h"

#include <string>

#include "dialogs/frm_vlx_change_quotes.h"
#include "discovery/run_objects.h"
#include "discovery/story_panes.h"
#include "host/model/find.h"
#include "progress/cls_prog_form.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "state/run_state.h"
#include "ui/message_box.h"
#include "util/messages.h"

namespace discovery {

namespace {

constexpr int kCurlyOpen = 147;
constexpr int kCurlyClose = 148;
constexpr int kStraight = 34;
// Quote highlighting is red on 5 % grey: the removal commands recognise exactly this pair.
constexpr long kQuoteMarkColor = 15987699;
constexpr const char* kCrLf = "\r\n";

// Plain, whole-story counting of one character on a fresh range of the story.
long countCharacter(host::Document& doc, int storyType, int code, bool clearOptions) {
  host::Range range = doc.StoryRanges().Item(storyType);
  host::Find find = range.Find();
  if (clearOptions) {
    find.ClearFormatting();
    find.Replacement().ClearFormatting();
    find.SetMatchWholeWord(false);
    find.SetMatchWildcards(false);
    find.SetMatchSoundsLike(false);
    find.SetMatchAllWordForms(false);
  }
  find.SetWrap(host::wdFindStop);
  find.SetText(QuoteText(code));
  long count = 0;
  while (find.Execute()) ++count;
  return count;
}

std::string mismatchMessage(const std::string& name) {
  return std::string("There is a mis-matched pair of double quotes in your document's ") + name + "." + kCrLf + kCrLf +
         "Vellandex cannot index documents where there is an odd number of double quotes.  " +
         "If an open quote is not matched with a close quote, VLX can't recognize where terms begin and end "
         "properly - the same thing goes if close quotes aren't matched with open quotes." +
         kCrLf + kCrLf +
         "You may be seeing this message because the double quotes style in your document doesn't match what VLX "
         "is looking for.  You can change the double quotes style by clicking No and selecting the correct style." +
         kCrLf + kCrLf +
         "Or you can click Yes to let VLX highlight all the double quotes it recognizes in your document to help "
         "you find the stray one(s)." +
         kCrLf + kCrLf + "Do you want to highlight the double quotes in your document's " + name + "?";
}

std::string highlightedPrefix(const std::string& name) {
  return "Double quotes have been highlighted in your document's " + name +
         ".  You can remove the highlighting from these double quotes by clicking:" + kCrLf + kCrLf +
         "Tools > Vellandex > Remove highlighting only" + kCrLf + kCrLf;
}

bool cannotIndex(const std::string& prefix) {
  ui::MsgBox(prefix + "Please go through your document to make sure there are no " +
                 "extra double quotation marks before trying to index again.",
             ui::vbOKOnly + ui::vbCritical, "Cannot index");
  return true;
}

// Shows the quote-style dialog; true when the user confirmed a new pair, now in the codes.
bool askForQuoteStyle(int& openCode, int& closeCode) {
  dialogs::frmVLXChangeQuotes dialog;
  dialog.Show(ui::vbModal);
  const bool confirmed = dialog.Tag() == "OK";
  dialog.Unload();
  if (!confirmed) return false;
  openCode = settings::QuoteCodeOf(settings::fncReadIni(settings::kSection, "OpenQuote")).value_or(kCurlyOpen);
  closeCode = settings::QuoteCodeOf(settings::fncReadIni(settings::kSection, "closeQuote")).value_or(kCurlyClose);
  return true;
}

}  // namespace

bool fncCheckQuotePairs(host::Application& app, host::Document& doc, int& openCode, int& closeCode) {
  for (bool again = true; again;) {
    again = false;
    for (host::Range story : doc.StoryRanges()) {
      const int type = story.StoryType();
      if (type >= 4 || story.StoryLength() < 2) continue;
      const int result = fncCountQuotes(app, doc, openCode, closeCode, story);
      if (result == kCountFailed) return false;
      if (result == kBalanced) continue;

      const std::string name = StoryName(type);
      if (progress::pubProgForm) progress::pubProgForm->CloseProgress();
      state::blnOptionsAccepted = false;
      if (ui::MsgBox(mismatchMessage(name), ui::vbYesNo + ui::vbExclamation, "Mis-matched double quotes") ==
          ui::vbYes) {
        HighlightQuotes(app, doc, openCode, closeCode, type);
        return cannotIndex(highlightedPrefix(name));
      }
      if (ui::MsgBox("Do you want to change which kind of double quotes VLX should search for?",
                     ui::vbYesNo + ui::vbQuestion) != ui::vbYes ||
          !askForQuoteStyle(openCode, closeCode))
        return cannotIndex("");
      again = true;  // every story again, from the first, with the new pair
      break;
    }
  }
  return false;
}

int fncCountQuotes(host::Application&, host::Document& doc, int openCode, int closeCode,
                   const host::Range& storyRange) {
  try {
    const int type = storyRange.StoryType();
    const long opens = countCharacter(doc, type, openCode, true);
    doc.UndoClear();
    if (openCode == closeCode) return opens % 2 != 0 ? kUnbalanced : kBalanced;
    const long closes = countCharacter(doc, type, closeCode, false);
    doc.UndoClear();
    if (opens == closes) return kBalanced;
    // Curly quotes typed as straight ones may take the wrong form, so only an odd difference
    // is a sure stray; any other pair of different characters must count alike.
    if (openCode == kCurlyOpen && closeCode == kCurlyClose) return (opens - closes) % 2 != 0 ? kUnbalanced : kBalanced;
    return kUnbalanced;
  } catch (const std::exception& error) {
    util::ShowErrMsg("Error counting quotes", error);
    return kCountFailed;
  }
}

void HighlightQuotes(host::Application& app, host::Document& doc, int openCode, int closeCode, int storyType) {
  for (int code : {openCode, closeCode}) {
    if (code != kCurlyOpen && code != kCurlyClose) {
      fncHighlightQuoteChar(app, doc, code, storyType);
      continue;
    }
    // Find does not tell the curly quotes from the straight one, so every quote is made
    // straight, highlighted, and given back the form the user's option types.
    app.Options().AutoFormatAsYouTypeReplaceQuotes = false;
    RunEngine().SmartQuoteToggle(doc);
    doc.UndoClear();
    fncHighlightQuoteChar(app, doc, kStraight, storyType);
    app.Options().AutoFormatAsYouTypeReplaceQuotes = state::blnSavedReplaceQuotes;
    RunEngine().SmartQuoteToggle(doc);
    doc.UndoClear();
  }
}

bool fncHighlightQuoteChar(host::Application& app, host::Document& doc, int code, int storyType) {
  const int savedColour = app.Options().DefaultHighlightColorIndex;
  try {
    app.Options().DefaultHighlightColorIndex = host::wdRed;
    switch (storyType) {
      case host::wdMainTextStory: ShowMainDocumentPane(doc); break;
      case host::wdFootnotesStory: ShowFootnotesPane(doc); break;
      case host::wdEndnotesStory: ShowEndnotesPane(doc); break;
      default: break;
    }
    // The document's window selection, now in the story: what the selection of the
    // activated document is.
    host::Find find = doc.SelectionRange().Find();
    const std::string character = QuoteText(code);
    find.ClearFormatting();
    find.Replacement().ClearFormatting();
    find.Replacement().Font().SetColor(kQuoteMarkColor);
    find.Replacement().SetHighlight(host::kTrue);
    find.SetText(character);
    find.Replacement().SetText(character);
    find.SetForward(true);
    find.SetWrap(host::wdFindContinue);
    find.SetFormat(true);
    find.SetMatchCase(false);
    find.SetMatchWholeWord(false);
    find.SetMatchWildcards(false);
    find.SetMatchSoundsLike(false);
    find.SetMatchAllWordForms(false);
    find.Execute(host::wdReplaceAll);
    app.Options().DefaultHighlightColorIndex = savedColour;
    return true;
  } catch (const std::exception& error) {
    util::ShowErrMsg("Error highlighting quotes", error);
    app.Options().DefaultHighlightColorIndex = savedColour;
    return false;
  }
}

}  // namespace discovery
