#pragma once
// The application's options that the document model obeys.

namespace host {

/// Application-wide options (kept per user by the application).
struct Options {
  bool AutoFormatAsYouTypeReplaceQuotes = true;  // find's replace types smart quotes
  bool Pagination = true;
  int DefaultHighlightColorIndex = 7;            // yellow
  bool AllowFastSave = false;
  bool CheckSpellingAsYouType = true;
  bool CheckGrammarAsYouType = true;

  /// True when every option has the same value.
  bool operator==(const Options&) const = default;
};

}  // namespace host
