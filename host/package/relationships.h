#pragma once
// The relationship types by which a WordprocessingML package links its parts.

namespace host {

inline constexpr const char* kOfficeDocumentRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kStylesRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kSettingsRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
inline constexpr const char* kThemeRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";
inline constexpr const char* kFootnotesRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footnotes";
inline constexpr const char* kEndnotesRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/endnotes";
inline constexpr const char* kCommentsRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments";

}  // namespace host
