#pragma once
// The companion's JSON: one object per calculation, one request per input line.
#include <string>

#include "calculation.h"

namespace quorvel::cli {

// The object of one calculation, on one line.
std::string JsonLine(const Request& request, const Result& result);

// The object for an input line that is no request.
std::string JsonErrorLine(const std::string& why, const std::string& line);

// A JSON input line: {"expression": "...", "values": {...}} or {..., "rows": [...]}.
// Throws std::invalid_argument with a message on a malformed line.
Request ParseJsonRequest(const std::string& line);

}  // namespace quorvel::cli
