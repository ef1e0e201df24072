#include "design/allocation.hpp"

#include <cmath>

#include "design/fields.hpp"

namespace qalix {

double outcomeSd(const DesignRecord& r) {
    if (!twoGroups(r)) return r.stdDev;
    return r.stdDev * (1.0 + r.allocation) / std::sqrt(r.allocation);
}

double sdOfOutcomeSd(const DesignRecord& r, double outcome) {
    if (!twoGroups(r)) return outcome;
    return outcome * std::sqrt(r.allocation) / (1.0 + r.allocation);
}

GroupSizes groupsOfSolvedTotal(const DesignRecord& r, double total) {
    const double share = 1.0 / (1.0 + r.allocation);
    return {roundedUp(total * share, kRoundUp5),
            roundedUp(total * r.allocation * share, kRoundUp5)};
}

GroupSizes groupsOfTotal(const DesignRecord& r, int total) {
    const auto [control, treatment] = r.solvedGroups;
    if (control > 0 && treatment > 0 && control + treatment == total) return {control, treatment};
    const auto nearest = static_cast<int>(std::lround(total / (1.0 + r.allocation)));
    return {nearest, total - nearest};
}

GroupSizes groupsAtLook(const DesignRecord& r, int cumulative, int maximum) {
    const GroupSizes whole = groupsOfTotal(r, maximum);
    if (cumulative >= maximum) return whole;
    const auto control =
        static_cast<int>(std::lround(static_cast<double>(whole.control) * cumulative / maximum));
    return {control, cumulative - control};
}

std::optional<double> differenceAtBoundary(const DesignRecord& r, double z, GroupSizes groups) {
    if (groups.control < 1 || groups.treatment < 1) return std::nullopt;
    return z * r.stdDev * std::sqrt(1.0 / groups.control + 1.0 / groups.treatment);
}

}  // namespace qalix
