// The design report as one self-contained HTML document that prints well: no resource outside
// it, the plots as inline SVG, tables whose header repeats on a new page and whose rows never
// split.
#pragma once

#include <string>

#include "report/report_content.hpp"

namespace qalix {

std::string reportHtml(const ReportContent& report);

}  // namespace qalix
