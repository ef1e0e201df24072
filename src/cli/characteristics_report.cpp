#include "cli/characteristics_report.hpp"

namespace qalix {

void reportCharacteristics(Session&, const CliOptions&, ReportNode&) {}

}  // namespace qalix
