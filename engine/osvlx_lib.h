#pragma once
// The indexing engine's interface, as the add-in sees it. The order of the virtual members
// is the interface's contract (the add-in binds to it), so new members go at the end only.

#include <array>
#include <string>
#include <vector>

#include "host/model/document.h"
#include "host/model/range.h"
#include "host/shell/application.h"

namespace engine {

/// One row of the counter array: a search-list term and its occurrences so far.
struct CounterRow {
  std::string term;
  long count = 0;
  bool operator==(const CounterRow&) const = default;
};
/// The counter array: one row per search-list entry, in search-list order.
using CounterArray = std::vector<CounterRow>;

/// The engine class's interface.
class _clsOSVLXLib {
 public:
  /// The interface's id, as the component registry asks the factory for it.
  static constexpr const char* kInterfaceId = "engine._clsOSVLXLib";
  virtual ~_clsOSVLXLib() = default;

  /// Adds the range's trimmed text to the list unless it is there already; a repeat moves
  /// the range to an empty range one character past its end.
  virtual std::vector<std::string> fncIdentifyTerm(host::Range& rngRange, std::vector<std::string>& arrTempList,
                                                   std::string& strIndexType) = 0;
  /// A counter array for the search list, every count 0.
  virtual CounterArray fncBuildCounterArray(host::Application& wdApp, host::Document& wdDoc,
                                            const std::vector<std::string>& arrSearchListArray, bool blnMatchCase) = 0;
  /// The not-used (count 1) and not-found (count 0) terms, each list joined by CR LF or "None".
  virtual std::array<std::string, 2> fncBuildNotUsedNotFoundStrings(const CounterArray& arrCounterArray) = 0;
  /// Shows the codes of the index and table-of-contents fields of the main text.
  virtual void ShowFieldCodes(host::Document& wdDoc) = 0;
  /// Shows their results again.
  virtual void HideFieldCodes(host::Document& wdDoc) = 0;
  /// Indexes every term of the search list in the main text, footnotes and endnotes.
  virtual CounterArray fncIndexAndMarkTerms(host::Application& wdApp, host::Document& wdDoc,
                                            std::vector<std::string>& arrSearchListArray, bool blnMatchCase) = 0;
  /// Gives every double quote of the text stories the form the quote option prescribes.
  virtual void SmartQuoteToggle(host::Document& wdDoc) = 0;
  /// The same through the selection and the window's panes; failures are swallowed.
  virtual void xSmartQuoteToggleNEW(host::Application& wdApp, host::Document& wdDoc) = 0;
  /// Sorts longest first in place and returns a copy.
  virtual std::vector<std::string> fncListSort(std::vector<std::string>& arrArray) = 0;
  /// Inserts the heading and the INDEX field at the bookmark IndexBKStart (or the selection).
  virtual void IndexInsert(host::Application& wdApp, host::Document& wdDoc, long lngCols, std::string strSep) = 0;
  /// Updates this program's INDEX fields of the main text.
  virtual void IndexUpdate(host::Document& wdDoc) = 0;
  /// Removes the marking colours from every story.
  virtual void RestoreTextColor(host::Document& wdDoc) = 0;
  /// The same through the selection and the window's panes.
  virtual void RestoreTextColorNEW(host::Application& wdApp, host::Document& wdDoc) = 0;
  /// Marks and indexes every occurrence of a term in one story; returns the running count
  /// (0 after a failure, which it reports itself).
  virtual long fncSearchAndIndexTermInStory(host::Document& wdActiveDoc, host::Range rngStory, std::string strTerm,
                                            long lngNumFound, long lngStoryType, bool blnMatchCase,
                                            bool blnIndexFullCaps, std::string strIndexType,
                                            std::string strCaseSensitiveSearchTerm = "") = 0;
  /// Deletes the index and the two lists; with blnRemoveBK leaves IndexBKStart where it was.
  virtual void RemoveIndex(host::Application& wdApp, host::Document& wdDoc, bool& blnRemoveBK) = 0;
  /// Deletes this program's index-entry fields from the main text, footnotes and endnotes.
  virtual void StripIndexEntries(host::Application& wdApp, host::Document& wdDoc, bool blnMsgShow) = 0;
};

/// The component's programmatic identifier.
inline constexpr const char* kEngineProgId = "OSVLXDLL.clsOSVLXLib";
/// The symbol of the component's factory, as its registration names it.
inline constexpr const char* kEngineFactory = "vlx_create_engine";

}  // namespace engine

/// The component's factory: a new engine (the caller owns it) as a pointer to the interface
/// whose id it is given; null for any other interface id.
extern "C" void* vlx_create_engine(const char* interfaceId);
