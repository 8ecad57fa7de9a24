#pragma once
// The application's options that the document model obeys.

namespace host {

/// Application-wide options (kept per user by the application).
struct Options {
  bool AutoFormatAsYouTypeReplaceQuotes = true;  // find's replace types smart quotes
  /// Whether the user chose the quote option. Until they do, it follows each document opened
  /// (the form most of its double quotes already have), so that turning a document's quotes
  /// one way and back gives the document its own form again.
  bool ReplaceQuotesChosen = false;
  bool Pagination = true;
  int DefaultHighlightColorIndex = 7;  // yellow
  bool AllowFastSave = false;
  bool CheckSpellingAsYouType = true;
  bool CheckGrammarAsYouType = true;

  /// True when every option has the same value.
  bool operator==(const Options&) const = default;
};

}  // namespace host
