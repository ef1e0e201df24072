// The operating-characteristics part of the command line's report: what dialogs 111 to 114
// show when the user opens them and types the means asked for.
#pragma once

#include "cli/options.hpp"
#include "cli/report.hpp"
#include "cli/session.hpp"

namespace qalix {

void reportCharacteristics(Session& session, const CliOptions& options, ReportNode& report);

}  // namespace qalix
