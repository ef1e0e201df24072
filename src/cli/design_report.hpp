// What the command line's report reads off the main panel and dialog 107.
#pragma once

#include "cli/report.hpp"
#include "cli/session.hpp"

namespace qalix {

void reportFixed(Session& session, ReportNode& report);
void reportDesign(Session& session, ReportNode& report, bool curves);

}  // namespace qalix
