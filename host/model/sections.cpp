// Sections of the main text and their page set-up.

#include <algorithm>
#include <string>
#include <vector>

#include "host/model/document.h"
#include "host/model/range.h"
#include "host/platform/error.h"
#include "host/text/section_ends.h"
#include "host/text/story.h"
#include "host/wml/section_properties.h"

namespace host {

namespace {

struct SectionInfo {
  long start, end;
  pugi::xml_node sectPr;
};

std::vector<SectionInfo> sectionsOf(Document& doc) {
  Story& main = doc.mainStory();
  std::vector<SectionInfo> out;
  long start = 0;
  for (const SectionEnd& e : sectionEnds(main)) {
    long end = e.block < main.blocks().size() ? main.blockStart(e.block) + main.map(e.block).length() : main.length();
    out.push_back({start, end, e.sectPr});
    start = end;
  }
  return out;
}

// A section's w:sectPr, created for a body that has none.
pugi::xml_node writableSection(Document& doc, std::size_t index) {
  pugi::xml_node sectPr = sectionsOf(doc)[index].sectPr;
  if (sectPr) return sectPr;
  Story& main = doc.mainStory();
  return SectionProperties::ofBody(main.wml(), main.roots().front(), true).node();
}

}  // namespace

host::Sections Range::Sections() const {
  check();
  std::vector<Section> items;
  if (s_->story->type() != wdMainTextStory) return host::Sections(items);
  auto all = sectionsOf(*s_->doc);
  // An empty range stands in the section of the character after it (the last one at the end).
  long start = std::min(s_->start, std::max(s_->story->length() - 1, 0L));
  long end = std::max(s_->end, start + 1);
  for (std::size_t i = 0; i < all.size(); ++i) {
    bool touches = all[i].start < end && all[i].end > start;
    if (touches) items.emplace_back(s_->doc, i);
  }
  return host::Sections(std::move(items));
}

// ---- Sections ----

Section Sections::Item(long index) const {
  if (index < 1 || index > Count())
    throw Error(kErrNoSuchMember, "The requested member of the collection does not exist.");
  return items_[static_cast<std::size_t>(index - 1)];
}

Range Section::Range() const {
  auto all = sectionsOf(*doc_);
  return doc_->makeRange(doc_->mainStory(), all[index_].start, all[index_].end);
}

long Section::PageSetupView::SectionStart() const {
  auto all = sectionsOf(*s_.doc_);
  pugi::xml_node sectPr = all[s_.index_].sectPr;
  const Wml& w = s_.doc_->mainStory().wml();
  // The section constants count continuous, new column, new page, even and odd page, as
  // SectionBegin does.
  return static_cast<long>(SectionProperties(w, sectPr).start());
}

void Section::PageSetupView::SetSectionStart(long value) {
  if (value < 0 || value > 4) throw Error(kErrBadArgument, "Unknown section start " + std::to_string(value) + ".");
  Story& main = s_.doc_->mainStory();
  const Wml& w = main.wml();
  SectionProperties(w, writableSection(*s_.doc_, s_.index_)).setStart(static_cast<SectionBegin>(value));
  s_.doc_->notify(main, Change::formatted());
}

bool Section::PageSetupView::RestartNumberingAtSection() const {
  const Wml& w = s_.doc_->mainStory().wml();
  pugi::xml_node numbers = w.child(sectionsOf(*s_.doc_)[s_.index_].sectPr, "pgNumType");
  return !w.value(numbers, "start").empty();
}

void Section::PageSetupView::SetRestartNumberingAtSection(bool value) {
  if (value == RestartNumberingAtSection()) return;
  Story& main = s_.doc_->mainStory();
  const Wml& w = main.wml();
  SectionProperties section(w, writableSection(*s_.doc_, s_.index_));
  if (value) section.restartPageNumbers(1);
  else section.removePageNumberStart(SectionProperties::IfEmpty::Drop);
  s_.doc_->notify(main, Change::formatted());
}

long Section::PageSetupView::StartingNumber() const {
  const Wml& w = s_.doc_->mainStory().wml();
  std::string start = w.value(w.child(sectionsOf(*s_.doc_)[s_.index_].sectPr, "pgNumType"), "start");
  return start.empty() ? 0 : std::max(0L, std::strtol(start.c_str(), nullptr, 10));
}

void Section::PageSetupView::SetStartingNumber(long value) {
  if (value < 0) throw Error(kErrBadArgument, "A page number cannot start at " + std::to_string(value) + ".");
  if (!RestartNumberingAtSection()) return;
  Story& main = s_.doc_->mainStory();
  const Wml& w = main.wml();
  SectionProperties(w, writableSection(*s_.doc_, s_.index_)).restartPageNumbers(value);
  s_.doc_->notify(main, Change::formatted());
}

host::Sections Document::Sections() {
  std::vector<Section> items;
  auto all = sectionsOf(*this);
  for (std::size_t i = 0; i < all.size(); ++i) items.emplace_back(this, i);
  return host::Sections(std::move(items));
}

}  // namespace host
