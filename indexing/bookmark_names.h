#pragma once
// The bookmarks an index leaves in the document, by which later commands find its parts.

namespace indexing {

/// Where the next index goes (set by the run, or where a removed index stood).
inline constexpr const char* kIndexStartBookmark = "IndexBKStart";
/// The index: its heading through the paragraph of the INDEX field.
inline constexpr const char* kIndexBookmark = "VellandexIndex";
/// The block of terms defined but not used, or used only once.
inline constexpr const char* kNotUsedBookmark = "VellandexIndexNotUsedList";
/// The block of terms not found.
inline constexpr const char* kNotFoundBookmark = "VellandexIndexNotFoundList";

}  // namespace indexing
