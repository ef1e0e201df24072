#include "document/utc_time.hpp"

#include <chrono>
#include <cstdio>

namespace qalix {

// From the calendar of <chrono>, which needs neither gmtime_r (POSIX) nor gmtime_s (Windows).
std::string utcNow(UtcPrecision precision) {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto today = floor<days>(now);
    const year_month_day date{today};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int{date.year()}, unsigned{date.month()},
                  unsigned{date.day()});
    if (precision == UtcPrecision::Day) return text;
    const hh_mm_ss time{now - today};
    char clock[16];
    std::snprintf(clock, sizeof clock, "T%02d:%02d:%02dZ", static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text + std::string(clock);
}

}  // namespace qalix
