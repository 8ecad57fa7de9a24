#pragma once
// What `vellandex terms --json` tells of each term: how often it is indexed and where it is
// defined.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/document_places.h"
#include "host/model/document.h"

namespace app {

/// Where a term is defined: the first place where it stands between double quotes (any form
/// of double quote) for a search of quoted terms, its first place for capitalised words; the
/// main text first, then the footnotes, then the endnotes. None when it is not there.
std::optional<TextPlace> definitionOf(host::Document& doc, const std::string& term, bool quoted);

/// The number of this program's index entries of each term of an indexed document. Without
/// matchCase, entries that differ only in letter case count for every term they match.
std::vector<long> entryCounts(host::Document& doc, const std::vector<std::string>& terms, bool matchCase);

}  // namespace app
