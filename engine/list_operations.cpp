// The engine's list operations: identifying terms, the counter array, the longest-first sort
// and the not-used / not-found strings.
#include <algorithm>
#include <string>

#include "engine/cls_osvlx_lib.h"
#include "engine/text_trim.h"
#include "host/text/text.h"

namespace engine {

std::vector<std::string> clsOSVLXLib::fncIdentifyTerm(host::Range& rngRange, std::vector<std::string>& arrTempList,
                                                      std::string&) {
  std::string text = rngRange.Text();
  if (text.empty()) return arrTempList;
  std::string term = trimSpaces(text);
  if (std::find(arrTempList.begin(), arrTempList.end(), term) != arrTempList.end()) {
    // A repeat: step past it so that the caller's next search starts after it.
    rngRange.SetEnd(std::min(rngRange.End() + 1, rngRange.StoryLength()));
    rngRange.Collapse(host::wdCollapseEnd);
    return arrTempList;
  }
  if (arrTempList.empty()) arrTempList.emplace_back();
  arrTempList.back() = term;
  arrTempList.emplace_back();
  return arrTempList;
}

CounterArray clsOSVLXLib::fncBuildCounterArray(host::Application&, host::Document&,
                                               const std::vector<std::string>& arrSearchListArray, bool) {
  CounterArray counters;
  counters.reserve(arrSearchListArray.size());
  for (const std::string& term : arrSearchListArray) counters.push_back({term, 0});
  return counters;
}

std::array<std::string, 2> clsOSVLXLib::fncBuildNotUsedNotFoundStrings(const CounterArray& arrCounterArray) {
  auto join = [&](long count) {
    std::string joined;
    bool any = false;
    for (const CounterRow& row : arrCounterArray) {
      if (row.count != count) continue;
      if (!joined.empty()) joined += "\r\n";
      joined += row.term;
      any = true;
    }
    return any ? joined : std::string("None");
  };
  return {join(1), join(0)};
}

std::vector<std::string> clsOSVLXLib::fncListSort(std::vector<std::string>& arrArray) {
  // An exchange sort by length alone, longest first; equal lengths are never exchanged
  // directly, so the order among them is not stable (kept as it is relied on).
  // Lengths are counted in characters as the document counts them, not in UTF-8 bytes.
  std::vector<std::size_t> length;
  for (const std::string& s : arrArray) length.push_back(host::toText(s).size());
  for (std::size_t i = 0; i < arrArray.size(); ++i) {
    for (std::size_t j = i + 1; j < arrArray.size(); ++j) {
      if (length[i] < length[j]) {
        std::swap(arrArray[i], arrArray[j]);
        std::swap(length[i], length[j]);
      }
    }
  }
  return arrArray;
}

}  // namespace engine
