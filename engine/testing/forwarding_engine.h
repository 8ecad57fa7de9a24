#pragma once
// An engine for tests that hands every call to the real engine, so that a test overrides only
// the member it wants to watch or make fail. Header-only, for tests.

#include <array>
#include <string>
#include <vector>

#include "engine/cls_osvlx_lib.h"

namespace engine::testing {

/// The real engine behind the interface, each member open to overriding.
class ForwardingEngine : public _clsOSVLXLib {
 public:
  std::vector<std::string> fncIdentifyTerm(host::Range& r, std::vector<std::string>& list, std::string& type) override {
    return real_.fncIdentifyTerm(r, list, type);
  }
  CounterArray fncBuildCounterArray(host::Application& app, host::Document& doc, const std::vector<std::string>& list,
                                    bool matchCase) override {
    return real_.fncBuildCounterArray(app, doc, list, matchCase);
  }
  std::array<std::string, 2> fncBuildNotUsedNotFoundStrings(const CounterArray& counters) override {
    return real_.fncBuildNotUsedNotFoundStrings(counters);
  }
  void ShowFieldCodes(host::Document& doc) override { real_.ShowFieldCodes(doc); }
  void HideFieldCodes(host::Document& doc) override { real_.HideFieldCodes(doc); }
  CounterArray fncIndexAndMarkTerms(host::Application& app, host::Document& doc, std::vector<std::string>& list,
                                    bool matchCase) override {
    return real_.fncIndexAndMarkTerms(app, doc, list, matchCase);
  }
  void SmartQuoteToggle(host::Document& doc) override { real_.SmartQuoteToggle(doc); }
  void xSmartQuoteToggleNEW(host::Application& app, host::Document& doc) override {
    real_.xSmartQuoteToggleNEW(app, doc);
  }
  std::vector<std::string> fncListSort(std::vector<std::string>& list) override { return real_.fncListSort(list); }
  void IndexInsert(host::Application& app, host::Document& doc, long cols, std::string sep) override {
    real_.IndexInsert(app, doc, cols, sep);
  }
  void IndexUpdate(host::Document& doc) override { real_.IndexUpdate(doc); }
  void RestoreTextColor(host::Document& doc) override { real_.RestoreTextColor(doc); }
  void RestoreTextColorNEW(host::Application& app, host::Document& doc) override {
    real_.RestoreTextColorNEW(app, doc);
  }
  long fncSearchAndIndexTermInStory(host::Document& doc, host::Range story, std::string term, long found, long type,
                                    bool matchCase, bool fullCaps, std::string indexType,
                                    std::string caseSensitiveTerm = "") override {
    return real_.fncSearchAndIndexTermInStory(doc, story, term, found, type, matchCase, fullCaps, indexType,
                                              caseSensitiveTerm);
  }
  void RemoveIndex(host::Application& app, host::Document& doc, bool& removeBK) override {
    real_.RemoveIndex(app, doc, removeBK);
  }
  void StripIndexEntries(host::Application& app, host::Document& doc, bool show) override {
    real_.StripIndexEntries(app, doc, show);
  }

 private:
  clsOSVLXLib real_;
};

}  // namespace engine::testing
