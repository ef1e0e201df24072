// Two-group trials: a control group of n_1 patients and a treatment group of n_2 = r n_1 (r the
// allocation ratio), a common SD sigma, and the difference of the means D = mean_2 - mean_1 as
// the quantity tested. Var D = sigma^2 (1/n_1 + 1/n_2) = sigma_e^2 / N with N = n_1 + n_2 and
// sigma_e = sigma (1 + r) / sqrt(r): the two-group trial is the one-sample design with N
// observations and SD sigma_e, and the engine is unchanged. A record without a ratio is a
// one-sample design, exactly as before.
#pragma once

#include <optional>

#include "design/design_record.hpp"

namespace qalix {

// The ratios the program takes: a treatment group between a hundredth and a hundred times the
// control group.
inline constexpr double kMinAllocation = 0.01;
inline constexpr double kMaxAllocation = 100.0;

struct GroupSizes {
    int control = 0;    // n_1
    int treatment = 0;  // n_2
    int total() const { return control + treatment; }
};

inline bool twoGroups(const DesignRecord& r) {
    return r.allocation > 0.0;
}

// The SD of one observation of the equivalent one-sample design: sigma, or sigma_e.
double outcomeSd(const DesignRecord& r);
// sigma from the sigma_e a fixed-sample calculation solved.
double sdOfOutcomeSd(const DesignRecord& r, double outcome);

// The groups of the fixed-sample total N = m: n_1 = N / (1 + r) and n_2 = r N / (1 + r), each
// rounded up as a sample size is.
GroupSizes groupsOfSolvedTotal(const DesignRecord& r, double total);
// The groups of a trial of M patients in all: those the fixed-sample solution gave when they
// add up to M, else n_1 the nearest whole number to M / (1 + r) and n_2 the rest.
GroupSizes groupsOfTotal(const DesignRecord& r, int total);
// The groups at a look with cumulative total N_k of a trial of M: the control group's share
// of M, n_1 N_k / M, to the nearest whole number, and the rest. At the last look, the trial's.
GroupSizes groupsAtLook(const DesignRecord& r, int cumulative, int maximum);

// D at a boundary Z = S / sqrt(t) of a look with these groups: Z sigma sqrt(1/n_1 + 1/n_2);
// none when a group is still empty.
std::optional<double> differenceAtBoundary(const DesignRecord& r, double z, GroupSizes groups);

}  // namespace qalix
