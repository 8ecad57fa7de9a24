#include "host/layout/index_result.h"

#include <algorithm>
#include <functional>
#include <string>

#include "host/layout/document_parts.h"
#include "host/layout/index_lines.h"
#include "host/text/edit.h"
#include "host/text/field_span.h"
#include "host/text/story.h"
#include "host/wml/paragraph_properties.h"
#include "host/wml/run_content.h"
#include "host/wml/run_properties.h"
#include "host/wml/section_properties.h"

namespace host {

namespace {

bool isBookmarkMark(const Wml& w, pugi::xml_node n) { return w.is(n, "bookmarkStart") || w.is(n, "bookmarkEnd"); }

// Writes a field result as paragraphs of XML.
class ResultWriter {
 public:
  ResultWriter(DocumentParts& doc, Story& story) : doc_(doc), story_(story), w_(story.wml()) {}

  // Replaces the result of the field beginning at `begin`; false when the field's marks sit
  // where paragraphs cannot be written (the caller then writes plain text).
  bool write(pugi::xml_node begin, const std::vector<IndexLine>& lines, int columns) {
    FieldSpan span = fieldSpan(story_, begin);
    if (!locate(span)) return false;
    long oldLength = span.end - span.separator - 1;
    bool inSection = resultHasSectionBreak();
    clearResult();
    bool sections = !lines.empty() && columns > 1 && story_.type() == wdMainTextStory && w_.is(q_.parent(), "body");
    if (inSection && !sections) rejoinSection();
    // The story lets go of the removed paragraphs before new ones are made: a new paragraph
    // can take the memory of a removed one and would be taken for it.
    doc_.notify(story_, Change::structureChanged());
    if (lines.empty()) {
      writeError();
    } else {
      splitFieldParagraph();
      if (sections) writeInSection(lines, columns);
      else writeInline(lines);
    }
    doc_.notify(story_, Change::structureChanged());
    for (pugi::xml_node p : {p_, q_}) {
      std::size_t b = story_.blockOf(p);
      if (b != Story::npos) doc_.notify(story_, Change::paragraphReread(b));
    }
    FieldSpan after = fieldSpan(story_, begin);
    doc_.notify(story_, Change::textReplaced(span.separator + 1, oldLength, after.end - after.separator - 1));
    return true;
  }

 private:
  // Finds the separator's and end's runs and paragraphs; true when they are plain runs of
  // paragraphs that stand side by side in one container.
  bool locate(const FieldSpan& span) {
    if (span.separator < 0) return false;
    auto at = [&](long pos, pugi::xml_node& node, pugi::xml_node& run, pugi::xml_node& para) {
      std::size_t b = story_.blockAt(pos);
      if (story_.blocks()[b].rowEnd) return false;
      const CharMap& m = story_.map(b);
      const Segment& s = m.segments[m.segmentAt(static_cast<std::uint32_t>(pos - story_.blockStart(b)))];
      if (s.kind != Seg::FieldSeparator && s.kind != Seg::FieldEnd) return false;
      node = s.node;
      run = s.run;
      para = story_.blocks()[b].node;
      return run && run.parent() == para;
    };
    if (!at(span.separator, sep_, sepRun_, p_) || !at(span.end, end_, endRun_, q_)) return false;
    if (sepRun_ == endRun_) {
      // One run holds both marks: the end mark and what follows it get a run of their own.
      pugi::xml_node run = p_.insert_child_after(sepRun_.name(), sepRun_);
      if (pugi::xml_node rPr = w_.child(sepRun_, "rPr")) run.append_copy(rPr);
      for (pugi::xml_node c = end_; c;) {
        pugi::xml_node next = c.next_sibling();
        run.append_move(c);
        c = next;
      }
      endRun_ = run;
    }
    if (p_.parent() != q_.parent()) return false;
    if (p_ != q_) {
      for (pugi::xml_node n = p_.next_sibling(); n != q_; n = n.next_sibling())
        if (!n) return false;  // the end comes before the separator
    }
    return true;
  }

  // True when a paragraph of the old result ends a section: the result was laid out in
  // columns, between the break in the field's first paragraph and that one.
  bool resultHasSectionBreak() const {
    if (p_ == q_) return false;
    for (pugi::xml_node n = p_.next_sibling(); n && n != q_; n = n.next_sibling())
      if (SectionProperties::ofParagraph(w_, n)) return true;
    return false;
  }

  // Drops the section break that the column layout put in the field's first paragraph. The
  // section after the field then starts where that break's section did, so it takes back
  // the break's start and page-number restart, which the layout had moved onto the break.
  void rejoinSection() {
    pugi::xml_node pPr = w_.child(p_, "pPr");
    pugi::xml_node dropped = w_.child(pPr, "sectPr");
    if (!dropped) return;
    SectionProperties section = sectionInForce();
    section.takeStartFrom(SectionProperties(w_, dropped));
    section.takePageNumberStartFrom(SectionProperties(w_, dropped));
    pPr.remove_child(dropped);
    if (!pPr.first_child()) p_.remove_child(pPr);
  }

  // Removes the old result; bookmarks in it are kept, moved to just before the end mark.
  void clearResult() {
    std::vector<pugi::xml_node> doomed;
    for (pugi::xml_node n = sep_.next_sibling(); n; n = n.next_sibling()) doomed.push_back(n);
    for (pugi::xml_node n = sepRun_.next_sibling(); n && n != endRun_; n = n.next_sibling()) doomed.push_back(n);
    if (p_ != q_) {
      for (pugi::xml_node n = p_.next_sibling(); n && n != q_; n = n.next_sibling()) doomed.push_back(n);
      for (pugi::xml_node n = q_.first_child(); n && n != endRun_; n = n.next_sibling())
        if (!w_.is(n, "pPr")) doomed.push_back(n);
    }
    for (pugi::xml_node n = end_.previous_sibling(); n; n = n.previous_sibling())
      if (!w_.is(n, "rPr")) doomed.push_back(n);
    for (pugi::xml_node n : doomed) {
      if (isBookmarkMark(w_, n) && n.parent() == q_) {
        q_.insert_move_before(n, endRun_);
        continue;
      }
      std::vector<pugi::xml_node> marks;
      std::function<void(pugi::xml_node)> find = [&](pugi::xml_node x) {
        for (pugi::xml_node c = x.first_child(); c; c = c.next_sibling()) {
          if (isBookmarkMark(w_, c)) marks.push_back(c);
          else find(c);
        }
      };
      if (isBookmarkMark(w_, n)) marks.push_back(n);
      else find(n);
      for (pugi::xml_node m : marks) q_.insert_move_before(m, endRun_);
      if (n.parent() && !isBookmarkMark(w_, n)) removeNode(doc_, story_, n);
    }
  }

  // "Error! No index entries found." in the field's own paragraph.
  void writeError() {
    if (p_ != q_) {
      while (pugi::xml_node c = q_.first_child()) {
        if (w_.is(c, "pPr")) {
          if (pugi::xml_node own = w_.child(p_, "pPr")) p_.remove_child(own);
          p_.prepend_move(c);
        } else {
          p_.append_move(c);
        }
      }
      removeNode(doc_, story_, q_);
      q_ = p_;
    }
    addRuns(p_, endRun_, {{kNoIndexEntries}});
  }

  // Makes the separator end a paragraph of its own when it shares one with the end mark;
  // the original paragraph (its properties and any section break) goes on after the field.
  void splitFieldParagraph() {
    if (p_ != q_) return;
    pugi::xml_node fresh = q_.parent().insert_child_before(q_.name(), q_);
    if (ParagraphProperties pPr = ParagraphProperties::of(w_, q_, false)) pPr.copyInto(fresh);
    for (pugi::xml_node c = q_.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      bool last = c == sepRun_;
      if (!w_.is(c, "pPr")) fresh.append_move(c);
      if (last) break;
      c = next;
    }
    p_ = fresh;
  }

  void writeInline(const std::vector<IndexLine>& lines) {
    addRuns(p_, {}, lines.front().runs);
    for (std::size_t k = 1; k < lines.size(); ++k) addLine(lines[k]);
  }

  // The lines in a continuous section of `columns` columns, between two section breaks.
  void writeInSection(const std::vector<IndexLine>& lines, int columns) {
    SectionProperties section = sectionInForce();
    ParagraphProperties pPr = ParagraphProperties::of(w_, p_, true);
    if (!pPr.sectionBreak(false)) {
      // The section before the index keeps how the section started; the rest of it, after
      // the index, now goes on on the same page.
      pugi::xml_node before = pPr.sectionBreak(true).node();
      copyChildren(section.node(), before);
      copyAttributes(section.node(), before);
      section.removePageNumberStart(SectionProperties::IfEmpty::Keep);
      section.setStart(SectionBegin::Continuous);
    }
    for (const IndexLine& line : lines) addLine(line);
    pugi::xml_node breakPara = insertParagraph(w_, q_.parent(), q_);
    SectionProperties own = ParagraphProperties::of(w_, breakPara, true).sectionBreak(true);
    // Pages the index begins keep the section's number format; they go on counting.
    section.copyPageSetupInto(own);
    own.setStart(SectionBegin::Continuous);
    own.setColumns(columns, 720);
  }

  // The w:sectPr of the section the field's end stands in (created for a body without one).
  SectionProperties sectionInForce() {
    for (pugi::xml_node n = q_; n; n = n.next_sibling())
      if (w_.is(n, "p"))
        if (SectionProperties s = ParagraphProperties::of(w_, n, false).sectionBreak(false)) return s;
    return SectionProperties::ofBody(w_, q_.parent(), true);
  }

  void addLine(const IndexLine& line) {
    pugi::xml_node p = insertParagraph(w_, q_.parent(), q_);
    const StyleSheet& styles = story_.styles();
    std::string style = line.heading ? "IndexHeading" : "Index" + std::to_string(std::min(line.level, 9));
    ParagraphProperties pPr = ParagraphProperties::of(w_, p, true);
    if (styles.exists(style)) pPr.setStyle(style);
    else if (line.level > 1) pPr.setIndentLeft(240 * (line.level - 1));
    if (!pPr.node().first_child()) p.remove_child(pPr.node());
    addRuns(p, {}, line.runs);
  }

  // Runs of text (tabs as w:tab) before `before`, or at the end of parent.
  void addRuns(pugi::xml_node parent, pugi::xml_node before, const std::vector<IndexRun>& runs) {
    for (const IndexRun& r : runs) {
      pugi::xml_node run = insertRun(w_, parent, before);
      if (r.bold || r.italic) {
        RunProperties rPr = RunProperties::of(w_, run, true);
        if (r.bold) rPr.setToggle(Toggle::Bold, true);
        if (r.italic) rPr.setToggle(Toggle::Italic, true);
      }
      std::string pending;
      auto flush = [&] {
        if (pending.empty()) return;
        appendRunText(w_, run, pending.c_str());
        pending.clear();
      };
      for (char c : r.text) {
        if (c == '\t') {
          flush();
          appendRunMark(w_, run, RunMark::Tab);
        } else if (static_cast<unsigned char>(c) >= 0x20 || c < 0) {
          pending += c;
        }
      }
      flush();
    }
  }

  static void copyChildren(pugi::xml_node from, pugi::xml_node to) {
    for (pugi::xml_node c = from.first_child(); c; c = c.next_sibling()) to.append_copy(c);
  }
  static void copyAttributes(pugi::xml_node from, pugi::xml_node to) {
    for (pugi::xml_attribute a : from.attributes()) to.append_attribute(a.name()) = a.value();
  }

  DocumentParts& doc_;
  Story& story_;
  const Wml& w_;
  pugi::xml_node sep_, sepRun_, p_, end_, endRun_, q_;
};

}  // namespace

bool writeIndexResult(DocumentParts& doc, Story& story, pugi::xml_node begin, const std::vector<IndexLine>& lines,
                      int columns) {
  return ResultWriter(doc, story).write(begin, lines, columns);
}

}  // namespace host
