// Helpers the engine tests share: designs as the program shows them, and exact references.
#pragma once

#include <cmath>
#include <vector>

#include "engine/geometry.hpp"

namespace qalix::testing {

inline constexpr int kN = kGridIntervals;

// Information times k/K as the times dialog shows them, with 3 decimals (0.333, 0.667).
inline std::vector<double> shownTimes(int K) {
    std::vector<double> t;
    for (int k = 1; k <= K; ++k)
        t.push_back(std::round(1000.0 * k / K) / 1000.0);
    return t;
}

// The standard normal distribution function, to double precision.
inline double exactPhi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

}  // namespace qalix::testing
