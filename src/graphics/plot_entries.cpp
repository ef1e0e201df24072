#include "graphics/plot_entries.hpp"

#include "design/fields.hpp"
#include "design/fixed_sample.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "design/parameter_ranges.hpp"

namespace qalix {

namespace {

bool readEntry(PlotContext& program, PanelEntry entry, float& rhoMax) {
    DesignRecord& r = program.record;
    const Dialog& panel = program.panel();
    switch (entry) {
        case PanelEntry::Alpha:
            return readField(program, panel, panel::kAlphaCombo, r.alpha);
        case PanelEntry::Power:
            return readField(program, panel, panel::kPowerCombo, r.power);
        case PanelEntry::StdDev:
            return readField(program, panel, panel::kSdCombo, r.stdDev);
        case PanelEntry::AltMean:
            return readField(program, panel, panel::kMuCombo, r.altMean);
        case PanelEntry::SampleSize:
            return readField(program, panel, panel::kSizeCombo, r.sampleSize);
        case PanelEntry::RhoMax:
            return readField(program, panel, panel::kDiscordanceEdit, rhoMax);
    }
    return false;
}

// Typed after the design was computed, a value outside its range would reach the plot as
// an alternative or a mean of Infinity or NaN.
bool plottedParametersInRange(PlotContext& program) {
    using P = Parameter;
    if (!parametersInRange(program, {P::Alpha, P::Power, P::PowerAboveAlpha})) return false;
    return !isNormseq(program.record) || parametersInRange(program, {P::Sd, P::Mean, P::TrialSize});
}

}  // namespace

bool readPanelEntries(PlotContext& program, std::span<const PanelEntry> entries, float& rhoMax) {
    for (PanelEntry entry : entries) {
        if (!readEntry(program, entry, rhoMax)) return false;
    }
    return plottedParametersInRange(program);
}

bool readLastCumulativeSize(PlotContext& program, int& size) {
    if (!hasLooks(program.record)) return false;
    const auto last = static_cast<std::size_t>(program.record.numLooks - 1);
    const int control = infotimes::kCumulative[last];
    return readField(program, program.dialog(kInfoTimeDialog), control, size);
}

int roundedSampleSize(const DesignRecord& r, float constant) {
    return roundedUp(r.sampleSize, constant);
}

double standardizedAlternative(const DesignRecord& r) {
    return zOfAlpha(r) + zOfPower(r);
}

}  // namespace qalix
