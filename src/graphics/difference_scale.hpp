// The plots' data-scale texts and values in a two-group design, where the quantity tested is
// the difference of the means D and the trial's N patients are counted in both groups. A
// one-sample design keeps the texts it always had.
#pragma once

#include <cmath>
#include <string_view>

#include "design/allocation.hpp"
#include "design/design_record.hpp"

namespace qalix {

// The right-hand scale of the boundary plot at Brownian s, on a trial of N_K observations:
// sigma_e sqrt(N_K) s, which with one sample is the cumulative sum of the observations and
// with two groups the total size at the look times the difference of the means, N_k D.
inline double observedScaleOfBrownian(const DesignRecord& r, double s, int total) {
    return std::sqrt(static_cast<double>(total)) * s * outcomeSd(r);
}

// The boundary plot's title of that scale with two groups; one sample has none.
inline constexpr std::string_view kTotalTimesDifferenceTitle = "Total n  x  Difference";

// The row of the curve plots' data-scale values, and the caption under both rows.
inline constexpr std::string_view kMeanRowText = "Original Mean:     mu =";
inline constexpr std::string_view kDifferenceRowText = "Difference of Means:     mu =";
inline constexpr std::string_view kMeanCaptionText = "Mean Parameter   (delta or mu)";
inline constexpr std::string_view kDifferenceCaptionText =
    "Mean Parameter   (delta or difference mu)";

inline std::string_view meanRowText(const DesignRecord& r) {
    return twoGroups(r) ? kDifferenceRowText : kMeanRowText;
}
inline std::string_view meanCaptionText(const DesignRecord& r) {
    return twoGroups(r) ? kDifferenceCaptionText : kMeanCaptionText;
}

}  // namespace qalix
