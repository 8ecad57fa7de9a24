#pragma once
// Updating an INDEX field: its entries are the index-entry (XE) fields of the main text,
// footnotes and endnotes; its result is one paragraph per index line, in a continuous
// section of its own when the index asks for columns, as the word processor writes it.

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/parse/field_code.h"

namespace host {

class DocumentParts;
class Story;

/// An index-entry field found in the document.
struct FoundEntry {
  Story* story = nullptr;
  long position = 0;  // where the field begins
  IndexEntryCode code;
};

/// The index-entry fields of the main text, footnotes and endnotes, in story order
/// (fields inside tracked deletions left out).
std::vector<FoundEntry> collectIndexEntries(DocumentParts& doc);

/// The language an index of the document sorts by, as a language tag: the default text's
/// language, else the theme's, else "en-US".
std::string documentLanguage(DocumentParts& doc);

/// Recomputes an INDEX field's result; returns the element the field now begins with (a
/// simple field becomes a complex one, so that its result can hold paragraphs).
pugi::xml_node updateIndexField(DocumentParts& doc, Story& story, pugi::xml_node begin);

}  // namespace host
