#pragma once
// Formatting helpers that ranges and their Font share (inside the object model only): reading a
// run property over a range through the style chain, and writing it as direct formatting.

#include <functional>

#include <pugixml.hpp>

#include "host/model/range.h"
#include "host/text/styles.h"
#include "host/wml/run_properties.h"
#include "host/wml/wml.h"

namespace host {

/// The character style id a run's properties name ("" when none).
const char* styleOfRun(const Wml& w, pugi::xml_node rPr);
/// Throws the closed-document error when the range's document has been closed.
void checkAttached(const RangeState& r);
/// A value of every character of the range: the value, or kUndefined when they differ.
long readFormat(const RangeState& r, const std::function<long(const RunFormat&)>& value);
/// Calls set for the run properties of every run of the range (split at its ends), with what
/// the styles give the run.
void writeFormat(const RangeState& r, const std::function<void(const RunProperties&, const RunFormat&)>& set);

}  // namespace host
