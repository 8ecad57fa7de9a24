// Character and paragraph formatting of ranges, and styles: read through the style chain and
// written as direct formatting where the styles disagree.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/model/document.h"
#include "host/model/range.h"
#include "host/model/range_format.h"
#include "host/platform/error.h"
#include "host/text/edit.h"
#include "host/text/story.h"
#include "host/wml/paragraph_properties.h"

namespace host {

const char* styleOfRun(const Wml& w, pugi::xml_node rPr) { return w.attr(w.child(rPr, "rStyle"), "val").value(); }

// A range whose document was closed keeps its state but no document: it reports so instead of
// reaching into freed memory.
void checkAttached(const RangeState& r) {
  if (!r.doc) throw Error(kErrNoSuchMember, "The range's document has been closed.");
}

// Reads a value of every character of the range: the value, or kUndefined when they differ.
long readFormat(const RangeState& r, const std::function<long(const RunFormat&)>& value) {
  checkAttached(r);
  const Story& story = *r.story;
  long start = r.start, end = r.end;
  if (start == end) {
    if (start > 0) --start;
    else end = std::min(start + 1, story.length());
  }
  long result = kUndefined;
  bool first = true;
  std::optional<RunFormat> unformatted;  // what characters without formatting read as
  for (std::size_t b = story.blockAt(start); b < story.blocks().size(); ++b) {
    long bs = story.blockStart(b);
    if (bs >= end) break;
    const CharMap& m = story.map(b);
    for (std::size_t i = start > bs ? m.segmentAt(static_cast<std::uint32_t>(start - bs)) : 0; i < m.segments.size();
         ++i) {
      const Segment& s = m.segments[i];
      if (bs + s.start >= end) break;
      if (bs + s.start + s.length <= start) continue;
      if (!s.run && s.kind != Seg::ParagraphMark) {
        // A simple field's marks and code, and a row's end, have no formatting of their own:
        // the rest of the range decides, or the paragraph's style when there is nothing else.
        if (!unformatted) unformatted = segmentFormat(s, m, story.wml(), story.styles());
        continue;
      }
      long v = value(segmentFormat(s, m, story.wml(), story.styles()));
      if (first) result = v;
      else if (v != result) return kUndefined;
      first = false;
    }
  }
  if (first && unformatted) return value(*unformatted);
  return result;
}

void writeFormat(const RangeState& r, const std::function<void(const RunProperties&, const RunFormat&)>& set) {
  checkAttached(r);
  Story& story = *r.story;
  const Wml& w = story.wml();
  edit::forEachRun(*r.doc, story, r.start, r.end, [&](pugi::xml_node rPr, const std::string& styleId) {
    set(RunProperties(w, rPr), story.styles().styleFormat(styleId, styleOfRun(w, rPr)));
  });
}

namespace {

// Direct formatting only where the styles give something else.
std::optional<bool> toggle(long value, bool inherited) {
  if ((value != 0) == inherited) return std::nullopt;
  return value != 0;
}

// The paragraphs a range touches (the one holding it when the range is empty).
std::vector<std::size_t> paragraphsOf(const RangeState& r) {
  std::vector<std::size_t> out;
  const Story& story = *r.story;
  long end = std::max(r.end, r.start + 1);
  for (std::size_t b = story.blockAt(r.start); b < story.blocks().size(); ++b) {
    if (story.blockStart(b) >= end) break;
    if (!story.blocks()[b].rowEnd) out.push_back(b);
  }
  return out;
}

double readParagraphs(const RangeState& r, const std::function<double(const ParagraphFormatValues&)>& value) {
  checkAttached(r);
  const Story& story = *r.story;
  double result = kUndefined;
  bool first = true;
  for (std::size_t b : paragraphsOf(r)) {
    pugi::xml_node pPr = story.wml().child(story.blocks()[b].node, "pPr");
    double v = value(story.styles().paragraphFormat(pPr));
    if (first) result = v;
    else if (v != result) return kUndefined;
    first = false;
  }
  return result;
}

void writeParagraphs(const RangeState& r, const std::function<void(const ParagraphProperties&)>& set) {
  checkAttached(r);
  Story& story = *r.story;
  for (std::size_t b : paragraphsOf(r)) set(ParagraphProperties::of(story.wml(), story.blocks()[b].node, true));
  r.doc->notify(story, Change::formatted());
}

long twips(double points) { return static_cast<long>(points * 20 + 0.5); }

}  // namespace

// ---- Font ----

Font::Font(Range r) : r_(r.state()) {
  if (!r_) throw Error(kErrObjectNotSet, "Object variable not set.");
}

long Font::Bold() const {
  return readFormat(*r_, [](const RunFormat& f) { return f.bold ? kTrue : kFalse; });
}
long Font::AllCaps() const {
  return readFormat(*r_, [](const RunFormat& f) { return f.caps ? kTrue : kFalse; });
}
long Font::Hidden() const {
  return readFormat(*r_, [](const RunFormat& f) { return f.hidden ? kTrue : kFalse; });
}
long Font::Color() const {
  return readFormat(*r_, [](const RunFormat& f) { return f.color; });
}

void Font::SetBold(long value) {
  writeFormat(
      *r_, [value](const RunProperties& p, const RunFormat& i) { p.setToggle(Toggle::Bold, toggle(value, i.bold)); });
}

void Font::SetAllCaps(long value) {
  writeFormat(
      *r_, [value](const RunProperties& p, const RunFormat& i) { p.setToggle(Toggle::Caps, toggle(value, i.caps)); });
}

void Font::SetHidden(long value) {
  writeFormat(*r_, [value](const RunProperties& p, const RunFormat& i) {
    p.setToggle(Toggle::Vanish, toggle(value, i.hidden));
  });
}

void Font::SetColor(long value) {
  writeFormat(*r_, [value](const RunProperties& p, const RunFormat& inherited) {
    p.setColor(value == inherited.color ? std::nullopt : std::optional<std::string>(colorToHex(value)));
  });
}

// ---- ParagraphFormat ----

ParagraphFormat::ParagraphFormat(Range r) : r_(r.state()) {
  if (!r_) throw Error(kErrObjectNotSet, "Object variable not set.");
}

double ParagraphFormat::SpaceBefore() const {
  return readParagraphs(*r_, [](const auto& f) { return f.spaceBefore; });
}
double ParagraphFormat::SpaceAfter() const {
  return readParagraphs(*r_, [](const auto& f) { return f.spaceAfter; });
}
long ParagraphFormat::Alignment() const {
  return static_cast<long>(readParagraphs(*r_, [](const auto& f) { return static_cast<double>(f.alignment); }));
}

void ParagraphFormat::SetSpaceBefore(double points) {
  writeParagraphs(*r_, [points](const ParagraphProperties& p) { p.setSpaceBefore(twips(points)); });
}

void ParagraphFormat::SetSpaceAfter(double points) {
  writeParagraphs(*r_, [points](const ParagraphProperties& p) { p.setSpaceAfter(twips(points)); });
}

void ParagraphFormat::SetAlignment(long alignment) {
  if (alignment < 0 || alignment > 3)
    throw Error(kErrBadArgument, "Unknown paragraph alignment " + std::to_string(alignment) + ".");
  // The alignment constants count left, centre, right, justified, as Justification does.
  writeParagraphs(
      *r_, [alignment](const ParagraphProperties& p) { p.setJustification(static_cast<Justification>(alignment)); });
}

std::optional<Style> ParagraphFormat::Style() const {
  checkAttached(*r_);
  const Story& story = *r_->story;
  std::string id;
  bool first = true;
  for (std::size_t b : paragraphsOf(*r_)) {
    const std::string& s = story.map(b).styleId;
    if (first) id = s;
    else if (s != id) return std::nullopt;
    first = false;
  }
  if (id.empty()) return std::nullopt;
  return host::Style(r_->doc, id);
}

void ParagraphFormat::SetStyle(const std::string& styleId) {
  checkAttached(*r_);
  if (!r_->doc->styles().exists(styleId)) throw Error(kErrNoSuchMember, "The style " + styleId + " does not exist.");
  writeParagraphs(*r_, [&styleId](const ParagraphProperties& p) { p.setStyle(styleId); });
  for (std::size_t b : paragraphsOf(*r_)) r_->doc->notify(*r_->story, Change::paragraphReread(b));
}

// ---- ListFormat ----

ListFormat::ListFormat(Range r) : r_(r.state()) {
  if (!r_) throw Error(kErrObjectNotSet, "Object variable not set.");
}

void ListFormat::RemoveNumbers() {
  const StyleSheet& styles = r_->doc->styles();
  writeParagraphs(*r_, [&styles](const ParagraphProperties& p) {
    p.removeNumbering();
    if (styles.paragraphFormat(p.node()).numbered) p.switchOffNumbering();
  });
}

// ---- Style ----

std::string Style::NameLocal() const { return doc_->styles().name(id_); }

long Style::StyleFont::AllCaps() const { return s_.doc_->styles().styleCaps(s_.id_) ? kTrue : kFalse; }

void Style::StyleFont::SetAllCaps(long value) {
  if (s_.doc_->styles().exists(s_.id_) && s_.doc_->styles().styleCaps(s_.id_) == (value != 0)) return;
  if (!s_.doc_->styles().setStyleCaps(s_.id_, value != 0))
    throw Error(kErrNoSuchMember, "The style " + s_.id_ + " does not exist.");
  s_.doc_->notify(s_.doc_->mainStory(), Change::stylesChanged());
}

}  // namespace host
