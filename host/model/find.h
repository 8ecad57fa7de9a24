#pragma once
// Find and replace, as the word processor's find behaves: a successful Execute moves the
// range onto the match and the next Execute goes on from there; hidden text and field codes
// are seen only when the view shows them; formatting conditions; replace one or all.

#include <memory>
#include <optional>
#include <string>

#include "host/model/range.h"

namespace host {

class Pattern;

/// Formatting conditions of a find or of its replacement.
struct FindFormat {
  std::optional<long> color;  // font colour
  std::optional<bool> bold;
  std::optional<bool> highlight;  // any highlight / none
  bool empty() const { return !color && !bold && !highlight; }
};

/// Everything a Find object remembers between calls.
struct FindSettings {
  std::string text;
  bool forward = true;
  int wrap = 0;  // 0 stop, 1 continue
  bool format = false;
  bool matchCase = false;
  bool matchWholeWord = false;
  bool matchWildcards = false;
  bool matchSoundsLike = false;
  bool matchAllWordForms = false;
  FindFormat condition;
  std::string replacementText;
  FindFormat replacement;
  bool found = false;
  long lastStart = -1, lastEnd = -1;  // the match the range was last moved onto
  // The find text compiled, kept while the text and the matching options stay (a search
  // loop executes the same find thousands of times).
  std::shared_ptr<const Pattern> compiled;
  std::string compiledText;
  bool compiledWildcards = false, compiledCase = false;
};

enum WdReplace : int { wdReplaceNone = 0, wdReplaceOne = 1, wdReplaceAll = 2 };
enum WdFindWrap : int { wdFindStop = 0, wdFindContinue = 1 };

/// Formatting conditions (Font of a Find or of its Replacement). It shares the find's settings,
/// so that it may outlive the Find it came from.
class FindFont {
 public:
  /// The conditions `which` of the settings (FindSettings::condition or ::replacement).
  FindFont(std::shared_ptr<FindSettings> s, FindFormat FindSettings::*which) : s_(std::move(s)), which_(which) {}
  void SetColor(long color) { ((*s_).*which_).color = color; }
  void SetBold(long bold) { ((*s_).*which_).bold = bold != 0; }

 private:
  std::shared_ptr<FindSettings> s_;
  FindFormat FindSettings::*which_;
};

/// The replacement of a Find; it shares the find's settings, so that it may outlive the Find.
class Replacement {
 public:
  explicit Replacement(std::shared_ptr<FindSettings> s) : s_(std::move(s)) {}
  void ClearFormatting() { s_->replacement = {}; }
  const std::string& Text() const { return s_->replacementText; }
  void SetText(std::string text) { s_->replacementText = std::move(text); }
  FindFont Font() { return FindFont(s_, &FindSettings::replacement); }
  /// True gives the default highlight colour, False removes highlighting.
  void SetHighlight(long on) { s_->replacement.highlight = on != 0; }

 private:
  std::shared_ptr<FindSettings> s_;
};

/// The find of a range (or of the selection).
class Find {
 public:
  explicit Find(Range range);

  void ClearFormatting() { s_->condition = {}; }
  const std::string& Text() const { return s_->text; }
  void SetText(std::string text) { s_->text = std::move(text); }
  bool Forward() const { return s_->forward; }
  void SetForward(bool v) { s_->forward = v; }
  int Wrap() const { return s_->wrap; }
  void SetWrap(int v) { s_->wrap = v; }
  bool Format() const { return s_->format; }
  void SetFormat(bool v) { s_->format = v; }
  bool MatchCase() const { return s_->matchCase; }
  void SetMatchCase(bool v) { s_->matchCase = v; }
  bool MatchWholeWord() const { return s_->matchWholeWord; }
  void SetMatchWholeWord(bool v) { s_->matchWholeWord = v; }
  bool MatchWildcards() const { return s_->matchWildcards; }
  void SetMatchWildcards(bool v) { s_->matchWildcards = v; }
  void SetMatchSoundsLike(bool v) { s_->matchSoundsLike = v; }
  void SetMatchAllWordForms(bool v) { s_->matchAllWordForms = v; }
  FindFont Font() { return FindFont(s_, &FindSettings::condition); }
  /// True finds highlighted text, False text without highlight.
  void SetHighlight(long on) { s_->condition.highlight = on != 0; }
  host::Replacement Replacement() { return host::Replacement(s_); }

  /// Searches (and replaces, with wdReplaceOne or wdReplaceAll); true when something was found.
  bool Execute(int replace = wdReplaceNone);
  /// The result of the last Execute.
  bool Found() const { return s_->found; }

 private:
  Range range_;
  std::shared_ptr<FindSettings> s_;
};

}  // namespace host
