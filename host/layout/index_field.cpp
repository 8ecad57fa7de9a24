#include "host/layout/index_field.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

#include "host/layout/document_parts.h"
#include "host/layout/index_lines.h"
#include "host/layout/index_result.h"
#include "host/layout/pagination.h"
#include "host/package/package.h"
#include "host/package/relationships.h"
#include "host/text/edit.h"
#include "host/text/field_span.h"
#include "host/text/story.h"
#include "host/wml/field_char.h"
#include "host/wml/run_content.h"
#include "host/wml/simple_field.h"

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
        case Seg::FieldBegin: open.push_back({bs + s.start, {}}); break;
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
        default: break;
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
  auto run = [&](pugi::xml_node before) { return insertRun(w, parent, before); };
  pugi::xml_node begin = appendFieldChar(w, run(simple), FieldChar::Begin);
  appendFieldCode(w, run(simple), simpleFieldCode(w, simple));
  appendFieldChar(w, run(simple), FieldChar::Separate);
  while (pugi::xml_node c = simple.first_child()) {
    if (w.is(c, "fldData")) simple.remove_child(c);
    else parent.insert_move_before(c, simple);
  }
  appendFieldChar(w, run(simple), FieldChar::End);
  removeNode(doc, story, simple);
  for (pugi::xml_node p = parent; p; p = p.parent()) {
    std::size_t b = story.blockOf(p);
    if (b == Story::npos) continue;
    doc.notify(story, Change::paragraphReread(b));
    break;
  }
  doc.notify(story, Change::formatted());
  return begin;
}

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
std::vector<CollectedEntry> entriesFor(DocumentParts& doc, const IndexFieldCode& code,
                                       const std::vector<FoundEntry>& found) {
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
    if (!writeIndexResult(doc, story, begin, lines, code.columns)) writePlain(doc, story, begin, lines);
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
    std::erase_if(
        found, [&](const FoundEntry& f) { return f.story == &story && f.position > fieldPos && f.position <= oldEnd; });
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
