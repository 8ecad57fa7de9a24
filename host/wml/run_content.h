#pragma once
// What the model writes into paragraphs and runs: new paragraphs and runs in their place,
// text with its spaces kept, and the elements that stand for characters of the text.

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// The elements a run holds for characters other than text.
enum class RunMark { Tab, LineBreak, PageBreak, ColumnBreak, NoBreakHyphen, SoftHyphen };

/// A new, empty paragraph inserted before `before`, or appended to parent when before is empty.
pugi::xml_node insertParagraph(const Wml& w, pugi::xml_node parent, pugi::xml_node before);
/// A new, empty run inserted before `before`, or appended to parent when before is empty.
pugi::xml_node insertRun(const Wml& w, pugi::xml_node parent, pugi::xml_node before);
/// Appends text (w:t, its spaces kept) to a run; returns its element.
pugi::xml_node appendRunText(const Wml& w, pugi::xml_node run, const char* utf8);
/// Appends the element of a mark to a run; returns it.
pugi::xml_node appendRunMark(const Wml& w, pugi::xml_node run, RunMark mark);

}  // namespace host
