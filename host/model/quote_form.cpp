#include "host/model/quote_form.h"

#include "host/model/document.h"
#include "host/text/find_view.h"
#include "host/text/story.h"

namespace host {

std::optional<bool> CurlyQuotesPrevail(Document& doc) {
  long curly = 0, straight = 0;
  // What the reader sees, as find sees it with nothing hidden shown: field codes are left out,
  // since index entries and other fields spell their arguments with straight quotes.
  ViewSettings visible;
  for (int type : {wdMainTextStory, wdFootnotesStory, wdEndnotesStory}) {
    for (Story* story = doc.story(type); story; story = doc.nextStory(*story)) {
      StoryView& view = story->view();
      view.refresh(*story, visible);
      for (char16_t c : view.text()) {
        if (c == u'"') ++straight;
        else if (c == u'\u201C' || c == u'\u201D') ++curly;
      }
    }
  }
  if (curly == 0 && straight == 0) return std::nullopt;
  return curly >= straight;
}

}  // namespace host
