// The main control panel entries the plots read afresh before they draw: alpha, power,
// sigma, mu_a and m into the design record, and the achieved maximum discordance
// probability, which no field holds, into the pass's own value.
#pragma once

#include <span>

#include "graphics/plot_context.hpp"

namespace qalix {

enum class PanelEntry { Alpha, Power, StdDev, AltMean, SampleSize, RhoMax };

// Reads the entries in order. An unreadable one shows the entry error and stops: false, and
// the entries after it are not read. A blank entry leaves its value as it was (rhoMax
// starts at 0 for each pass). Then the parameters every plot shows must lie in their
// ranges (alpha, and the power above it; sigma, mu_a and m too for "normseq"): the first
// one outside shows its range message, and false.
bool readPanelEntries(PlotContext& program, std::span<const PanelEntry> entries, float& rhoMax);

// The cumulative size of the last look, N_K, as the information-time dialog shows it. Callers
// make sure there is a last look (hasLooks).
bool readLastCumulativeSize(PlotContext& program, int& size);

// m rounded up with the single-precision constant given.
int roundedSampleSize(const DesignRecord& r, float constant);

// z_(1-alpha) + z_(power), the standardized alternative of line 3.
double standardizedAlternative(const DesignRecord& r);

// Whether the information-time dialog has set the looks: before it, K is 0 and no look can
// be drawn.
inline bool hasLooks(const DesignRecord& r) {
    return r.numLooks >= 1 && r.numLooks <= kMaxLooks;
}

}  // namespace qalix
