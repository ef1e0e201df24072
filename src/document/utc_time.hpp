// The time now in UTC, written as ISO 8601: the date alone, as the documents are dated
// (2025-03-14), or to the second, as a design file records when it was written
// (2025-03-14T09:26:53Z).
#pragma once

#include <string>

namespace qalix {

enum class UtcPrecision { Day, Second };

std::string utcNow(UtcPrecision precision);

}  // namespace qalix
