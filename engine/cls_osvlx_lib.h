#pragma once
// The engine class. It holds no member data: every call works on its arguments and the
// document alone.

#include "engine/osvlx_lib.h"

namespace engine {

/// Index-entry identifier that restricts entries to this program's index.
inline constexpr const char* kIndexId = "VellandexIndex";
/// The marking colours of an indexed occurrence.
inline constexpr int kMarkHighlight = 6;      // red
inline constexpr long kMarkColor = 0xF3F3F3;  // 5 % grey

/// The engine.
class clsOSVLXLib final : public _clsOSVLXLib {
 public:
  std::vector<std::string> fncIdentifyTerm(host::Range& rngRange, std::vector<std::string>& arrTempList,
                                           std::string& strIndexType) override;
  CounterArray fncBuildCounterArray(host::Application& wdApp, host::Document& wdDoc,
                                    const std::vector<std::string>& arrSearchListArray, bool blnMatchCase) override;
  std::array<std::string, 2> fncBuildNotUsedNotFoundStrings(const CounterArray& arrCounterArray) override;
  void ShowFieldCodes(host::Document& wdDoc) override;
  void HideFieldCodes(host::Document& wdDoc) override;
  CounterArray fncIndexAndMarkTerms(host::Application& wdApp, host::Document& wdDoc,
                                    std::vector<std::string>& arrSearchListArray, bool blnMatchCase) override;
  void SmartQuoteToggle(host::Document& wdDoc) override;
  void xSmartQuoteToggleNEW(host::Application& wdApp, host::Document& wdDoc) override;
  std::vector<std::string> fncListSort(std::vector<std::string>& arrArray) override;
  void IndexInsert(host::Application& wdApp, host::Document& wdDoc, long lngCols, std::string strSep) override;
  void IndexUpdate(host::Document& wdDoc) override;
  void RestoreTextColor(host::Document& wdDoc) override;
  void RestoreTextColorNEW(host::Application& wdApp, host::Document& wdDoc) override;
  long fncSearchAndIndexTermInStory(host::Document& wdActiveDoc, host::Range rngStory, std::string strTerm,
                                    long lngNumFound, long lngStoryType, bool blnMatchCase, bool blnIndexFullCaps,
                                    std::string strIndexType, std::string strCaseSensitiveSearchTerm = "") override;
  void RemoveIndex(host::Application& wdApp, host::Document& wdDoc, bool& blnRemoveBK) override;
  void StripIndexEntries(host::Application& wdApp, host::Document& wdDoc, bool blnMsgShow) override;
};

}  // namespace engine
