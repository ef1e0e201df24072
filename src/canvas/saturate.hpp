// Device coordinates from computed values: rounded to the nearest integer (halves away from
// zero) and held inside the range of int, so that no picture, however large its numbers, can
// overflow a coordinate.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace qalix {

inline int saturatingRound(double value) {
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(std::round(value), kLowest, kHighest));
}

inline int saturatingFloor(double value) {
    return saturatingRound(std::floor(value));
}

}  // namespace qalix
