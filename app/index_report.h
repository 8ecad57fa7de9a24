#pragma once
// The report of an indexing run (--report FILE.json): the terms indexed with their number of
// index entries and the pages those stand on, the terms the not-used and not-found lists name,
// and the time taken. It is read from the indexed document itself.

#include <string>

#include <nlohmann/json.hpp>

#include "host/model/document.h"

namespace app {

/// The report of a run that indexed doc (input and output as the user named them); the two
/// lists are null when the run left them out of the document.
nlohmann::ordered_json indexReport(host::Document& doc, const std::string& input, const std::string& output,
                                   double seconds);

/// Writes a report (or a list of them) to a file in one step; BatchFailure (bad input) when
/// it cannot be written.
void writeReport(const std::string& path, const nlohmann::ordered_json& report);

/// Refuses (BatchFailure, bad input) a report path whose folder does not exist or cannot be
/// written, before anything is done.
void checkReportPath(const std::string& path);

}  // namespace app
