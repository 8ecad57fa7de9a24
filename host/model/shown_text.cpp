#include "host/model/shown_text.h"

#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/text/story.h"

namespace host {

ShownText::ShownText(const Range& range) : range_(range.Duplicate()) {
  Story& story = range_.GetStory();
  Document& doc = range_.GetDocument();
  StoryView& view = story.view();
  view.refresh(story, doc.viewSettings());
  from_ = view.indexAt(story, range_.Start());
  text_ = view.text().substr(from_, view.indexAt(story, range_.End()) - from_);
  end_ = range_.End();
  stamp_ = doc.editStamp();
}

long ShownText::position(std::size_t i) const {
  if (range_.GetDocument().editStamp() != stamp_)
    throw Error(kErrOutOfRange, "The document changed after its text was read.");
  if (i >= text_.size()) return end_;
  return range_.GetStory().view().position(range_.GetStory(), from_ + i);
}

Range ShownText::range(std::size_t first, std::size_t last) const {
  Range r = range_.Duplicate();
  r.SetRange(position(first), position(last - 1) + 1);
  return r;
}

}  // namespace host
