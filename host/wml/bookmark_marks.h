#pragma once
// The marks of a bookmark (w:bookmarkStart, w:bookmarkEnd) as the model writes them: the
// start names the bookmark, the end refers to the start by id.

#include <string>

#include <pugixml.hpp>

#include "host/wml/wml.h"

namespace host {

/// Appends a bookmark's start mark to parent; returns it.
pugi::xml_node appendBookmarkStart(const Wml& w, pugi::xml_node parent, const std::string& id, const std::string& name);
/// Appends a bookmark's end mark to parent; returns it.
pugi::xml_node appendBookmarkEnd(const Wml& w, pugi::xml_node parent, const std::string& id);

}  // namespace host
