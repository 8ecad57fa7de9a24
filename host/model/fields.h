#pragma once
// Fields: complex fields (w:fldChar begin / separate / end with w:instrText codes, nested and
// spread over paragraphs) and simple fields (w:fldSimple).

#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "host/model/range.h"
#include "host/text/element_place.h"
#include "host/text/field_span.h"

namespace host {

class Document;
class Story;

/// The field type number of a field code ("XE ..." -> 4, "INDEX ..." -> 8).
int fieldTypeOfCode(const std::string& code);
/// The keyword of a field type number ("" for an unknown number).
std::string fieldKeyword(int type);

/// One field.
class Field {
 public:
  Field(DocumentRef doc, Story* story, pugi::xml_node begin);
  /// The field type (index entry 4, index 8, table of contents 13 ...).
  long Type() const;
  /// The code, as a range between the begin mark and the separator (or end) mark.
  host::Range Code() const;
  /// The result, between the separator and the end mark (empty at the end when none).
  host::Range Result() const;
  /// Recomputes the result: an index (type 8) from the document's index entries; other
  /// fields keep the result they have.
  void Update();
  /// Deletes the whole field.
  void Delete();
  /// Selects the whole field.
  void Select() const;
  /// Whether the code is shown instead of the result.
  bool ShowCodes() const;
  void SetShowCodes(bool show);
  /// Positions of the marks.
  FieldSpan Span() const;
  /// The element the field begins with (a w:fldChar or a w:fldSimple).
  pugi::xml_node BeginNode() const;
  /// The story the field lives in.
  Story& GetStory() const { return live(); }

 private:
  // The field's story, once the field is known to be there still; host::Error otherwise (its
  // document closed, or an edit removed its begin mark).
  Story& live() const;

  DocumentRef doc_;
  Story* story_;
  pugi::xml_node begin_;
  mutable ElementPlace place_;  // where begin_ stands, to check it without reading it
};

/// A snapshot of fields (of a document's main text or of a range).
class Fields {
 public:
  Fields(DocumentRef doc, Story* story, std::vector<Field> items, long insertAt)
      : doc_(std::move(doc)), story_(story), items_(std::move(items)), insertAt_(insertAt) {}
  long Count() const { return static_cast<long>(items_.size()); }
  /// 1-based.
  Field Item(long index) const;
  std::vector<Field>::const_iterator begin() const { return items_.begin(); }
  std::vector<Field>::const_iterator end() const { return items_.end(); }
  /// Adds a field at the range (replacing its content): type wdFieldEmpty (-1) takes the
  /// type from the code text, another type puts its keyword before the text.
  Field Add(const Range& range, int type, const std::string& text, bool preserveFormatting = false);

 private:
  DocumentRef doc_;
  Story* story_;
  std::vector<Field> items_;
  long insertAt_;
};

/// The fields of a story whose begin mark lies in [start, end).
std::vector<Field> fieldsIn(Document* doc, Story& story, long start, long end);

}  // namespace host
