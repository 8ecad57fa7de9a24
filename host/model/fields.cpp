#include "host/model/fields.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "host/layout/index_field.h"
#include "host/model/document.h"
#include "host/platform/error.h"
#include "host/text/edit.h"
#include "host/text/field_span.h"
#include "host/text/story.h"

namespace host {

namespace {

const std::map<std::string, int>& keywords() {
  // clang-format off
  static const std::map<std::string, int> table = {
      {"REF", 3},          {"XE", 4},           {"FTNREF", 5},        {"SET", 6},          {"IF", 7},
      {"INDEX", 8},        {"TC", 9},           {"STYLEREF", 10},     {"RD", 11},          {"SEQ", 12},
      {"TOC", 13},         {"INFO", 14},        {"TITLE", 15},        {"SUBJECT", 16},     {"AUTHOR", 17},
      {"KEYWORDS", 18},    {"COMMENTS", 19},    {"LASTSAVEDBY", 20},  {"CREATEDATE", 21},  {"SAVEDATE", 22},
      {"PRINTDATE", 23},   {"REVNUM", 24},      {"EDITTIME", 25},     {"NUMPAGES", 26},    {"NUMWORDS", 27},
      {"NUMCHARS", 28},    {"FILENAME", 29},    {"TEMPLATE", 30},     {"DATE", 31},        {"TIME", 32},
      {"PAGE", 33},        {"=", 34},           {"QUOTE", 35},        {"PAGEREF", 37},     {"ASK", 38},
      {"FILLIN", 39},      {"NEXT", 41},        {"NEXTIF", 42},       {"SKIPIF", 43},      {"MERGEREC", 44},
      {"PRINT", 48},       {"GOTOBUTTON", 50},  {"MACROBUTTON", 51},  {"AUTONUMOUT", 52},  {"AUTONUMLGL", 53},
      {"AUTONUM", 54},     {"LINK", 56},        {"SYMBOL", 57},       {"EMBED", 58},       {"MERGEFIELD", 59},
      {"USERNAME", 60},    {"USERINITIALS", 61}, {"USERADDRESS", 62}, {"DOCVARIABLE", 64}, {"SECTION", 65},
      {"SECTIONPAGES", 66}, {"INCLUDEPICTURE", 67}, {"INCLUDETEXT", 68}, {"FILESIZE", 69}, {"FORMTEXT", 70},
      {"FORMCHECKBOX", 71}, {"NOTEREF", 72},    {"TOA", 73},          {"TA", 74},          {"MERGESEQ", 75},
      {"PRIVATE", 77},     {"DATABASE", 78},    {"AUTOTEXT", 79},     {"COMPARE", 80},     {"ADDIN", 81},
      {"FORMDROPDOWN", 83}, {"ADVANCE", 84},    {"DOCPROPERTY", 85},  {"CONTROL", 87},     {"HYPERLINK", 88},
      {"AUTOTEXTLIST", 89}, {"LISTNUM", 90},    {"BIDIOUTLINE", 92},  {"ADDRESSBLOCK", 93}, {"GREETINGLINE", 94},
      {"SHAPE", 95},       {"CITATION", 96},    {"BIBLIOGRAPHY", 97}};
  // clang-format on
  return table;
}

}  // namespace

int fieldTypeOfCode(const std::string& code) {
  std::size_t i = code.find_first_not_of(" \t");
  if (i == std::string::npos) return wdFieldEmpty;
  if (code[i] == '=') return 34;
  std::size_t j = code.find_first_of(" \t\\\"", i);
  std::string word = code.substr(i, j == std::string::npos ? std::string::npos : j - i);
  std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::toupper(c); });
  auto it = keywords().find(word);
  return it == keywords().end() ? wdFieldEmpty : it->second;
}

std::string fieldKeyword(int type) {
  for (const auto& [word, number] : keywords())
    if (number == type) return word;
  return {};
}

Field::Field(DocumentRef doc, Story* story, pugi::xml_node begin)
    : doc_(std::move(doc)), story_(story), begin_(begin), place_(story->placeOf(begin)) {}

Story& Field::live() const {
  (void)*doc_;  // reports a closed document
  if (!story_->beginsField(place_)) throw Error(kErrObjectDeleted, "The field has been deleted.");
  return *story_;
}

pugi::xml_node Field::BeginNode() const {
  live();
  return begin_;
}

FieldSpan Field::Span() const { return fieldSpan(live(), begin_); }

long Field::Type() const { return fieldTypeOfCode(Code().Text()); }

Range Field::Code() const {
  FieldSpan s = Span();
  return doc_->makeRange(*story_, s.begin + 1, s.separator >= 0 ? s.separator : s.end);
}

Range Field::Result() const {
  FieldSpan s = Span();
  return s.separator >= 0 ? doc_->makeRange(*story_, s.separator + 1, s.end) : doc_->makeRange(*story_, s.end, s.end);
}

void Field::Update() {
  if (Type() != wdFieldIndex) return;
  begin_ = updateIndexField(*doc_, *story_, begin_);
  place_ = story_->placeOf(begin_);
}

void Field::Delete() {
  FieldSpan s = Span();
  edit::erase(*doc_, *story_, s.begin, s.end + 1);
}

void Field::Select() const {
  FieldSpan s = Span();
  doc_->Select(doc_->makeRange(*story_, s.begin, s.end + 1));
}

bool Field::ShowCodes() const {
  live();
  return doc_->shownCodes().count(begin_.internal_object()) > 0;
}

void Field::SetShowCodes(bool show) {
  live();
  if (show) doc_->shownCodes().insert(begin_.internal_object());
  else doc_->shownCodes().erase(begin_.internal_object());
}

Field Fields::Item(long index) const {
  if (index < 1 || index > Count())
    throw Error(kErrNoSuchMember, "The requested member of the collection does not exist.");
  return items_[static_cast<std::size_t>(index - 1)];
}

Field Fields::Add(const Range& range, int type, const std::string& text, bool) {
  std::string code = type == wdFieldEmpty ? text : fieldKeyword(type) + " " + text;
  Story& story = range.GetStory();
  long pos = range.Start();
  edit::erase(*doc_, story, pos, range.End());
  pos = edit::insertionPosition(story, pos);
  edit::insert(*doc_, story, pos,
               {edit::Piece::mark(edit::Piece::FieldBegin), edit::Piece::codeText(toText(" " + code + " ")),
                edit::Piece::mark(edit::Piece::FieldSeparator), edit::Piece::mark(edit::Piece::FieldEnd)});
  return fieldsIn(&*doc_, story, pos, pos + 1).front();
}

std::vector<Field> fieldsIn(Document* doc, Story& story, long start, long end) {
  std::vector<Field> out;
  story.forEachSegment(start, end, [&](const Segment& s, long) {
    if (s.kind == Seg::FieldBegin || s.kind == Seg::SimpleBegin) out.emplace_back(doc, &story, s.node);
  });
  return out;
}

}  // namespace host
