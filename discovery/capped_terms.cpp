#include "discovery/capped_terms.h"

#include <algorithm>

#include "discovery/capped_phrases.h"
#include "host/model/shown_text.h"
#include "progress/progress_window.h"
#include "util/messages.h"

namespace discovery {

namespace {

// How often the status text follows the search: every so many capitalised words.
constexpr long kStatusEvery = 100;

std::string storyLabel(int type) {
  switch (type) {
    case host::wdMainTextStory: return "main document ";
    case host::wdFootnotesStory: return "footnotes ";
    default: return "endnotes ";
  }
}

bool hasDigit(std::u16string_view word) {
  return std::any_of(word.begin(), word.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

class CappedSearch {
 public:
  CappedSearch(host::Document& doc, dialogs::frmVLX_COM& form, bool bold, progress::ProgressWindow* window)
      : doc_(doc),
        form_(form),
        bold_(bold),
        ignoreNums_(form.chkIgnoreNums.Value() == ui::vbChecked),
        window_(window) {}

  std::vector<std::string> run() {
    for (host::Range story : doc_.StoryRanges()) {
      if (story.StoryType() >= 4 || story.StoryLength() < 2) continue;
      searchStory(story);
    }
    return phrases_.Candidates();
  }

 private:
  void searchStory(const host::Range& story) {
    const host::ShownText shown(story);
    const host::Text& text = shown.text();
    const std::string label = storyLabel(story.StoryType());
    std::size_t paragraph = 0;
    auto accept = [&](std::u16string_view word, std::size_t start, std::size_t end) {
      if (ignoreNums_ && hasDigit(word)) return false;
      if (words_++ % kStatusEvery == 0) status(label, shown.range(paragraph + start, paragraph + end), word);
      return !bold_ || shown.range(paragraph + start, paragraph + end).Font().Bold() == host::kTrue;
    };
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != host::ch::kParagraph && text[i] != host::ch::kCellEnd) continue;
      phrases_.AddParagraph(std::u16string_view(text).substr(paragraph, i - paragraph), accept);
      paragraph = i + 1;
    }
  }

  void status(const std::string& label, const host::Range& word, std::u16string_view text) {
    const std::string line = "Processing " + label + "page " +
                             std::to_string(word.Information(host::wdActiveEndPageNumber)) + ":  " + host::toUtf8(text);
    form_.StatusBar1.SetSimpleText(line);
    if (window_) {
      window_->lblLabel3.SetCaption(line);
      window_->Refresh();
    }
  }

  host::Document& doc_;
  dialogs::frmVLX_COM& form_;
  bool bold_;
  bool ignoreNums_;
  progress::ProgressWindow* window_;
  CappedPhrases phrases_;
  long words_ = 0;
};

bool search(host::Document& doc, std::vector<std::string>& arrTerms, dialogs::frmVLX_COM& form, bool bold,
            progress::ProgressWindow* window) {
  try {
    std::vector<std::string> found = CappedSearch(doc, form, bold, window).run();
    if (found.empty()) found.push_back("");
    arrTerms = std::move(found);
    form.StatusBar1.SetSimpleText("");
    return true;
  } catch (const std::exception& error) {
    form.StatusBar1.SetSimpleText("");
    util::ShowErrMsg("Build capped terms array failed", error);
    return false;
  }
}

}  // namespace

bool fncBuildCappedTermsArray(host::Document& doc, std::vector<std::string>& arrTerms, dialogs::frmVLX_COM& form,
                              bool blnBold, bool inWindow) {
  if (!inWindow) return search(doc, arrTerms, form, blnBold, nullptr);
  progress::frmVLXProgressFormGetCappedList window;
  window.ShowLines("Please wait", "Finding capitalised words and phrases", "");
  window.Job = [&] { return search(doc, arrTerms, form, blnBold, &window); };
  window.Show(ui::vbModeless);
  const bool done = window.Tag() == "True";
  window.Unload();
  return done;
}

}  // namespace discovery
