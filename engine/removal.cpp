// Undoing what indexing did: removing the index and its lists, this program's index-entry
// fields and the marking colours; and the display helpers (field codes, quote forms).
#include <optional>
#include <string>

#include "engine/cls_osvlx_lib.h"
#include "engine/story_walk.h"
#include "host/model/find.h"
#include "host/platform/error.h"

namespace engine {

namespace {

bool isOurIndexEntry(const std::string& code) {
  if (code.compare(0, 3, " XE") != 0) return false;
  return code.find("VellandexIndex") != std::string::npos || code.find("VELLANDEXINDEX") != std::string::npos ||
         code.find("vellandexindex\" ") != std::string::npos;
}

void setCodesShown(host::Document& doc, bool shown) {
  for (host::Field field : doc.Fields()) {
    long type = field.Type();
    if (type == host::wdFieldIndex || type == host::wdFieldTOC) field.SetShowCodes(shown);
  }
}

void deleteBookmarkedText(host::Document& doc, const char* name) {
  if (!doc.Bookmarks().Exists(name)) return;
  doc.Bookmarks().Item(name).Range().Delete();
  if (doc.Bookmarks().Exists(name)) doc.Bookmarks().Item(name).Delete();
}

// How a section starts: on which page, and from which page number.
struct SectionOpening {
  long start;
  bool restart;
  long number;
};

SectionOpening openingOf(const host::Section& section) {
  host::Section::PageSetupView setup = section.PageSetup();
  return {setup.SectionStart(), setup.RestartNumberingAtSection(), setup.StartingNumber()};
}

void reopen(const host::Section& section, const SectionOpening& opening) {
  host::Section::PageSetupView setup = section.PageSetup();
  if (setup.SectionStart() != opening.start) setup.SetSectionStart(opening.start);
  setup.SetRestartNumberingAtSection(opening.restart);
  if (opening.restart && setup.StartingNumber() != opening.number) setup.SetStartingNumber(opening.number);
}

// Replaces the marking colours in a range's story by automatic colour and no highlight.
void restoreColours(host::Range range) {
  host::Find find = range.Find();
  find.ClearFormatting();
  find.Replacement().ClearFormatting();
  find.Font().SetColor(kMarkColor);
  find.SetHighlight(host::kTrue);
  find.Replacement().Font().SetColor(host::kColorAutomatic);
  find.Replacement().SetHighlight(host::kFalse);
  find.SetText("");
  find.Replacement().SetText("");
  find.Execute(host::wdReplaceAll);
}

}  // namespace

void clsOSVLXLib::ShowFieldCodes(host::Document& wdDoc) { setCodesShown(wdDoc, true); }
void clsOSVLXLib::HideFieldCodes(host::Document& wdDoc) { setCodesShown(wdDoc, false); }

void clsOSVLXLib::RemoveIndex(host::Application&, host::Document& wdDoc, bool& blnRemoveBK) {
  host::Bookmarks& bookmarks = wdDoc.Bookmarks();
  long position;
  if (bookmarks.Exists("VellandexIndex")) {
    host::Bookmark index = bookmarks.Item("VellandexIndex");
    host::Range range = index.Range();
    // An index in columns splits its section in three, the part after it starting on the same
    // page and going on with its page numbers. Deleting the index joins the part before to
    // that part, which then starts, and numbers its pages, as the section did (so a section
    // the user made continuous stays so).
    host::Sections sections = range.Sections();
    std::optional<SectionOpening> opening;
    if (sections.Count() > 1) opening = openingOf(sections.Item(1));
    position = index.Start();
    index.Select();
    range.Delete();
    if (opening) reopen(wdDoc.Range(position, position).Sections().Item(1), *opening);
  } else {
    position = wdDoc.SelectionRange().Start();
  }
  deleteBookmarkedText(wdDoc, "VellandexIndexNotUsedList");
  deleteBookmarkedText(wdDoc, "VellandexIndexNotFoundList");
  if (bookmarks.Exists("VellandexIndex")) bookmarks.Item("VellandexIndex").Delete();
  if (blnRemoveBK) bookmarks.Add("IndexBKStart", wdDoc.Range(position, position));
}

void clsOSVLXLib::StripIndexEntries(host::Application&, host::Document& wdDoc, bool) {
  forEachStoryRange(wdDoc, kTextStories, [](host::Range& story) {
    for (host::Field field : story.Fields())
      if (isOurIndexEntry(field.Code().Text())) field.Delete();
  });
  if (wdDoc.Bookmarks().Exists("XEfield")) wdDoc.Bookmarks().Item("XEfield").Delete();
}

void clsOSVLXLib::RestoreTextColor(host::Document& wdDoc) {
  forEachStoryRange(wdDoc, kAllStories, [](host::Range& story) { restoreColours(story.Duplicate()); });
}

void clsOSVLXLib::SmartQuoteToggle(host::Document& wdDoc) {
  forEachStoryRange(wdDoc, kTextStories, [](host::Range& story) {
    if (story.StoryLength() < 2) return;
    host::Find find = story.Duplicate().Find();
    find.ClearFormatting();
    find.SetText("\"");
    find.Replacement().SetText("\"");
    find.SetForward(true);
    find.SetWrap(host::wdFindContinue);
    find.SetFormat(false);
    find.Execute(host::wdReplaceAll);
  });
}

}  // namespace engine
