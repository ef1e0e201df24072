// What the command line prints: its output as JSON, or as "path: value" lines, one for each
// text and number of the JSON, numbers in full (free format).
#pragma once

#include <ostream>
#include <string>

#include "document/snapshot_json.hpp"

namespace qalix {

void writeJson(const Json& output, std::ostream& out);
void writeText(const Json& output, std::ostream& out, const std::string& path = {});

}  // namespace qalix
