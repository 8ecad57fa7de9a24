#include "host/layout/index_field.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

#include "host/layout/document_parts.h"
#include "host/layout/pagination.h"
#include "host/package/package.h"
#include "host/text/edit.h"
#include "host/text/field_span.h"
#include "host/layout/index_lines.h"
#include "host/package/relationships.h"
#include "host/text/story.h"

namespace host {

namespace {

// An open complex field while scanning a story.
struct OpenField {
  long position;
  Text code;
  bool inCode = true;
  bool deleted = false;
};

void scanStory(Story& story, std::vector<FoundEntry>& out) {
  std::vector<OpenField> open;
  for (std::size_t b = 0; b < story.blocks().size(); ++b) {
    const CharMap& m = story.map(b);
    long bs = story.blockStart(b);
    for (const Segment& s : m.segments) {
      switch (s.kind) {
        case Seg::FieldBegin:
          open.push_back({bs + s.start, {}});
          break;
        case Seg::CodeText:
          if (!open.empty() && open.back().inCode) {
            open.back().code.append(m.text, s.start, s.length);
            if (s.deleted) open.back().deleted = true;
          }
          break;
        case Seg::FieldSeparator:
          if (!open.empty()) open.back().inCode = false;
          break;
        case Seg::FieldEnd:
          if (!open.empty()) {
            OpenField f = std::move(open.back());
            open.pop_back();
            if (f.deleted) break;
            if (auto e = parseEntryCode(toUtf8(f.code))) out.push_back({&story, f.position, std::move(*e)});
          }
          break;
        case Seg::SimpleCode:
          if (auto e = parseEntryCode(toUtf8(m.text.substr(s.start, s.length))))
            out.push_back({&story, bs + s.start - 1, std::move(*e)});
          break;
        default:
          break;
      }
    }
  }
}

// The field's code as text (field marks of nested fields left out).
std::string codeOf(const Story& story, const FieldSpan& span) {
  Text t = story.text(span.begin + 1, span.separator >= 0 ? span.separator : span.end);
  Text out;
  for (char16_t c : t)
    if (c != ch::kFieldBegin && c != ch::kFieldSeparator && c != ch::kFieldEnd) out += c;
  return toUtf8(out);
}

// A simple field's element replaced by the runs of a complex field (same characters).
pugi::xml_node toComplexField(DocumentParts& doc, Story& story, pugi::xml_node simple) {
  const Wml& w = story.wml();
  pugi::xml_node parent = simple.parent();
  auto run = [&](pugi::xml_node before) { return parent.insert_child_before(w.name("r").c_str(), before); };
  pugi::xml_node beginRun = run(simple);
  pugi::xml_node begin = beginRun.append_child(w.name("fldChar").c_str());
  w.setValue(begin, "fldCharType", "begin");
  pugi::xml_node code = run(simple).append_child(w.name("instrText").c_str());
  code.append_attribute("xml:space") = "preserve";
  code.text().set(w.value(simple, "instr").c_str());
  w.setValue(run(simple).append_child(w.name("fldChar").c_str()), "fldCharType", "separate");
  while (pugi::xml_node c = simple.first_child()) {
    if (w.is(c, "fldData")) simple.remove_child(c);
    else parent.insert_move_before(c, simple);
  }
  w.setValue(run(simple).append_child(w.name("fldChar").c_str()), "fldCharType", "end");
  parent.remove_child(simple);
  for (pugi::xml_node p = parent; p; p = p.parent()) {
    std::size_t b = story.blockOf(p);
    if (b == Story::npos) continue;
    story.paragraphChanged(b);
    break;
  }
  doc.noteChange(story);
  return begin;
}

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
    story_.structureChanged();
    if (lines.empty()) {
      writeError();
    } else {
      splitFieldParagraph();
      if (sections) writeInSection(lines, columns);
      else writeInline(lines);
    }
    story_.structureChanged();
    for (pugi::xml_node p : {p_, q_}) {
      std::size_t b = story_.blockOf(p);
      if (b != Story::npos) story_.paragraphChanged(b);
    }
    FieldSpan after = fieldSpan(story_, begin);
    doc_.noteEdit(story_, span.separator + 1, oldLength, after.end - after.separator - 1);
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
      if (w_.child(w_.child(n, "pPr"), "sectPr")) return true;
    return false;
  }

  // Drops the section break that the column layout put in the field's first paragraph. The
  // section after the field then starts where that break's section did, so it takes back
  // the break's start and page-number restart, which the layout had moved onto the break.
  void rejoinSection() {
    pugi::xml_node pPr = w_.child(p_, "pPr");
    pugi::xml_node dropped = w_.child(pPr, "sectPr");
    if (!dropped) return;
    pugi::xml_node section = sectionInForce();
    if (pugi::xml_node type = w_.child(dropped, "type")) {
      w_.setValue(w_.ensureChild(section, "type", Wml::sectionPropertyOrder()), "val", w_.value(type, "val"));
    } else {
      w_.removeChild(section, "type");
    }
    pugi::xml_attribute start = w_.attr(w_.child(dropped, "pgNumType"), "start");
    if (start) {
      w_.setValue(w_.ensureChild(section, "pgNumType", Wml::sectionPropertyOrder()), "start", start.value());
    } else if (pugi::xml_node num = w_.child(section, "pgNumType")) {
      num.remove_attribute(w_.name("start").c_str());
    }
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
      if (n.parent() && !isBookmarkMark(w_, n)) n.parent().remove_child(n);
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
      q_.parent().remove_child(q_);
      q_ = p_;
    }
    addRuns(p_, endRun_, {{kNoIndexEntries}});
  }

  // Makes the separator end a paragraph of its own when it shares one with the end mark;
  // the original paragraph (its properties and any section break) goes on after the field.
  void splitFieldParagraph() {
    if (p_ != q_) return;
    pugi::xml_node fresh = q_.parent().insert_child_before(q_.name(), q_);
    if (pugi::xml_node pPr = w_.child(q_, "pPr")) {
      pugi::xml_node copy = fresh.append_copy(pPr);
      w_.removeChild(copy, "sectPr");
      w_.removeChild(copy, "pPrChange");
    }
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
    pugi::xml_node section = sectionInForce();
    pugi::xml_node pPr = w_.paragraphProperties(p_, true);
    if (!w_.child(pPr, "sectPr")) {
      // The section before the index keeps how the section started; the rest of it, after
      // the index, now goes on on the same page.
      pugi::xml_node before = w_.ensureChild(pPr, "sectPr", Wml::paragraphPropertyOrder());
      copyChildren(section, before);
      copyAttributes(section, before);
      if (pugi::xml_node num = w_.child(section, "pgNumType")) num.remove_attribute(w_.name("start").c_str());
      w_.setValue(w_.ensureChild(section, "type", Wml::sectionPropertyOrder()), "val", "continuous");
    }
    for (const IndexLine& line : lines) addLine(line);
    pugi::xml_node breakPara = q_.parent().insert_child_before(w_.name("p").c_str(), q_);
    pugi::xml_node own = w_.paragraphProperties(breakPara, true).append_child(w_.name("sectPr").c_str());
    for (pugi::xml_node c = section.first_child(); c; c = c.next_sibling()) {
      const char* l = w_.local(c);
      if (l && (!std::strcmp(l, "headerReference") || !std::strcmp(l, "footerReference") || !std::strcmp(l, "titlePg") ||
                !std::strcmp(l, "cols") || !std::strcmp(l, "type") || !std::strcmp(l, "sectPrChange")))
        continue;
      pugi::xml_node copy = own.append_copy(c);
      // Pages the index begins keep the section's number format; they go on counting.
      if (l && !std::strcmp(l, "pgNumType")) copy.remove_attribute(w_.name("start").c_str());
    }
    w_.setValue(w_.ensureChild(own, "type", Wml::sectionPropertyOrder()), "val", "continuous");
    pugi::xml_node cols = w_.ensureChild(own, "cols", Wml::sectionPropertyOrder());
    w_.setValue(cols, "num", std::to_string(columns));
    w_.setValue(cols, "space", "720");
  }

  // The w:sectPr of the section the field's end stands in (created for a body without one).
  pugi::xml_node sectionInForce() {
    for (pugi::xml_node n = q_; n; n = n.next_sibling())
      if (w_.is(n, "p"))
        if (pugi::xml_node s = w_.child(w_.child(n, "pPr"), "sectPr")) return s;
    pugi::xml_node body = q_.parent();
    if (pugi::xml_node s = w_.child(body, "sectPr")) return s;
    return body.append_child(w_.name("sectPr").c_str());
  }

  void addLine(const IndexLine& line) {
    pugi::xml_node p = q_.parent().insert_child_before(w_.name("p").c_str(), q_);
    const StyleSheet& styles = story_.styles();
    std::string style = line.heading ? "IndexHeading" : "Index" + std::to_string(std::min(line.level, 9));
    pugi::xml_node pPr = w_.paragraphProperties(p, true);
    if (styles.exists(style)) {
      w_.setValue(w_.ensureChild(pPr, "pStyle", Wml::paragraphPropertyOrder()), "val", style);
    } else if (line.level > 1) {
      w_.setValue(w_.ensureChild(pPr, "ind", Wml::paragraphPropertyOrder()), "left", std::to_string(240 * (line.level - 1)));
    }
    if (!pPr.first_child()) p.remove_child(pPr);
    addRuns(p, {}, line.runs);
  }

  // Runs of text (tabs as w:tab) before `before`, or at the end of parent.
  void addRuns(pugi::xml_node parent, pugi::xml_node before, const std::vector<IndexRun>& runs) {
    for (const IndexRun& r : runs) {
      pugi::xml_node run = before ? parent.insert_child_before(w_.name("r").c_str(), before)
                                  : parent.append_child(w_.name("r").c_str());
      if (r.bold || r.italic) {
        pugi::xml_node rPr = run.append_child(w_.name("rPr").c_str());
        if (r.bold) rPr.append_child(w_.name("b").c_str());
        if (r.italic) rPr.append_child(w_.name("i").c_str());
      }
      std::string pending;
      auto flush = [&] {
        if (pending.empty()) return;
        pugi::xml_node t = run.append_child(w_.name("t").c_str());
        t.append_attribute("xml:space") = "preserve";
        t.text().set(pending.c_str());
        pending.clear();
      };
      for (char c : r.text) {
        if (c == '\t') {
          flush();
          run.append_child(w_.name("tab").c_str());
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

// Plain text for a result whose marks sit where paragraphs cannot be written.
void writePlain(DocumentParts& doc, Story& story, pugi::xml_node begin, const std::vector<IndexLine>& lines) {
  FieldSpan span = fieldSpan(story, begin);
  if (span.separator < 0) {
    edit::insert(doc, story, span.end, {edit::Piece::mark(edit::Piece::FieldSeparator)});
    span = fieldSpan(story, begin);
  }
  std::string text;
  for (const IndexLine& l : lines) {
    if (!text.empty()) text += '\r';
    text += l.text();
  }
  if (lines.empty()) text = kNoIndexEntries;
  edit::erase(doc, story, span.separator + 1, span.end);
  edit::insert(doc, story, span.separator + 1, {edit::Piece::plain(toText(text))});
}

// The entries of the index, with their pages.
std::vector<CollectedEntry> entriesFor(DocumentParts& doc, const IndexFieldCode& code, const std::vector<FoundEntry>& found) {
  long from = 0, to = -1;
  if (!code.bookmark.empty()) {
    if (auto b = doc.bookmarkSpan(code.bookmark)) std::tie(from, to) = *b;
  }
  Pagination& pages = doc.pagination();
  std::vector<CollectedEntry> out;
  for (const FoundEntry& f : found) {
    if (code.identifier.has_value() != f.code.identifier.has_value()) continue;
    if (code.identifier && !sameIndexIdentifier(*code.identifier, *f.code.identifier)) continue;
    if (to >= 0 && (f.story->type() != wdMainTextStory || f.position < from || f.position >= to)) continue;
    CollectedEntry e{f.code, pages.pageOf(*f.story, f.position), std::nullopt};
    auto range = f.code.rangeBookmark.empty() ? std::nullopt : doc.bookmarkSpan(f.code.rangeBookmark);
    if (range) {
      e.page = pages.pageOf(doc.mainStory(), range->first);
      e.rangeEnd = pages.pageOf(doc.mainStory(), std::max(range->first, range->second - 1));
    }
    out.push_back(std::move(e));
  }
  return out;
}

std::vector<std::string> texts(const std::vector<IndexLine>& lines) {
  std::vector<std::string> out;
  for (const IndexLine& l : lines) out.push_back(l.text());
  return out;
}

}  // namespace

std::vector<FoundEntry> collectIndexEntries(DocumentParts& doc) {
  std::vector<FoundEntry> out;
  for (const auto& s : doc.stories()) {
    int t = s->type();
    if (t == wdMainTextStory || t == wdFootnotesStory || t == wdEndnotesStory) scanStory(*s, out);
  }
  return out;
}

std::string documentLanguage(DocumentParts& doc) {
  Package& pkg = doc.package();
  const std::string& main = pkg.mainPartName();
  std::string styles = pkg.relatedPart(main, kStylesRel);
  if (!styles.empty()) {
    pugi::xml_document& x = pkg.xml(styles);
    Wml w = Wml::of(x);
    pugi::xml_node rPr = w.child(w.child(w.child(x.document_element(), "docDefaults"), "rPrDefault"), "rPr");
    std::string lang = w.value(w.child(rPr, "lang"), "val");
    if (!lang.empty()) return lang;
  }
  std::string settings = pkg.relatedPart(main, kSettingsRel);
  if (!settings.empty()) {
    pugi::xml_document& x = pkg.xml(settings);
    Wml w = Wml::of(x);
    std::string lang = w.value(w.child(x.document_element(), "themeFontLang"), "val");
    if (!lang.empty()) return lang;
  }
  return "en-US";
}

pugi::xml_node updateIndexField(DocumentParts& doc, Story& story, pugi::xml_node begin) {
  if (story.wml().is(begin, "fldSimple")) begin = toComplexField(doc, story, begin);
  IndexFieldCode code = parseIndexCode(codeOf(story, fieldSpan(story, begin)));
  std::vector<FoundEntry> found = collectIndexEntries(doc);
  std::string language = documentLanguage(doc);
  std::vector<IndexLine> lines = buildIndexLines(entriesFor(doc, code, found), code, language);

  auto write = [&] {
    if (!ResultWriter(doc, story).write(begin, lines, code.columns)) writePlain(doc, story, begin, lines);
  };
  const FieldSpan old = fieldSpan(story, begin);
  const long fieldPos = old.begin, oldEnd = old.end, oldLength = story.length();
  write();
  // The index itself moves the entries that follow it, and the notes whose text or
  // reference follows it: count their pages again once. Only the index's own paragraphs
  // changed, so the rest keep their shapes and entries.
  bool after = story.type() == wdMainTextStory && std::any_of(found.begin(), found.end(), [&](const FoundEntry& f) {
    return f.story != &story || f.position > fieldPos;
  });
  if (after) {
    const long moved = story.length() - oldLength;
    std::erase_if(found, [&](const FoundEntry& f) { return f.story == &story && f.position > fieldPos && f.position <= oldEnd; });
    for (FoundEntry& f : found)
      if (f.story == &story && f.position > oldEnd) f.position += moved;
    const FieldSpan now = fieldSpan(story, begin);
    const std::size_t first = story.blockAt(now.begin);
    doc.pagination().keepShapesOutside(first == 0 ? 0 : first - 1, story.blockAt(now.end) + 1);
    std::vector<IndexLine> again = buildIndexLines(entriesFor(doc, code, found), code, language);
    if (texts(again) != texts(lines)) {
      lines = std::move(again);
      write();
    }
  }
  doc.refreshFieldsOnOpen();
  return begin;
}

}  // namespace host
