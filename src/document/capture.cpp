#include "document/capture.hpp"

#include <array>
#include <cmath>
#include <exception>
#include <functional>
#include <initializer_list>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/common.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/allocation.hpp"
#include "design/info_time_ids.hpp"
#include "design/level_choice.hpp"
#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"
#include "design/sequential_state.hpp"
#include "design/trial_scale.hpp"
#include "document/design_command.hpp"
#include "document/design_inputs.hpp"
#include "engine/calibration.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

// What a field shows when it holds no number: blanks, the mark of an undefined value, or the
// selection dialog's mark of an SD it cannot estimate.
bool showsNoNumber(const std::string& text) {
    const std::string shown = trimmed(text);
    return shown.empty() || shown == "n/a" || shown == "?";
}

void captureFixed(const Program& program, DesignSnapshot& d) {
    const DesignRecord& r = program.record();
    const Dialog& panel = program.dialog(kPanelDialog);
    d.design = r.designKind.str();
    for (const auto& [name, control] : {std::pair{"alpha", panel::kAlphaCombo},
                                        {"power", panel::kPowerCombo},
                                        {"sd", panel::kSdCombo},
                                        {"mu", panel::kMuCombo},
                                        {"m", panel::kSizeCombo}})
        d.panelTexts.emplace_back(name, panel.getText(control));
    d.values = {{"alpha", r.alpha}, {"power", r.power},  {"sd", r.stdDev},
                {"mu", r.altMean},  {"m", r.sampleSize}, {"altDelta", r.altDelta}};
    if (!twoGroups(r)) return;
    d.allocation = r.allocation;
    d.panelTexts.emplace_back("allocation", trimmed(panel.getText(panel::kAllocationCombo)));
    d.panelTexts.emplace_back("groups", panel.getText(panel::kGroupsEdit));
    const GroupSizes groups = groupsOfTotal(r, maximumSize(r));
    d.values.insert(d.values.end(),
                    {{"controlSize", groups.control}, {"treatmentSize", groups.treatment}});
}

// The groups of a look of a two-group trial with this cumulative total.
void addGroups(const DesignRecord& r, int cumulative, ShownFields& fields) {
    if (!twoGroups(r)) return;
    const GroupSizes groups = groupsAtLook(r, cumulative, maximumSize(r));
    fields.add("controlSize", shownWhole(std::to_string(groups.control), groups.control));
    fields.add("treatmentSize", shownWhole(std::to_string(groups.treatment), groups.treatment));
}

// The information-time dialog's fields of look k with the values behind them: the times the
// engine integrates over, and the group and cumulative sizes of the record.
DesignSnapshot::Look lookFields(const Program& program, int k) {
    const DesignRecord& r = program.record();
    const auto i = static_cast<std::size_t>(k - 1);
    const auto text = [&](int control) { return program.dialog(kInfoTimeDialog).getText(control); };
    DesignSnapshot::Look look{k, {}};
    look.fields.add("infoTime", shownField(text(infotimes::kTime[i]), r.engineTime[i]));
    look.fields.add("groupSize", shownWhole(text(infotimes::kGroupSize[i]), r.groupSize[i]));
    look.fields.add("cumulative", shownWhole(text(infotimes::kCumulative[i]), r.cumSize[i]));
    addGroups(r, r.cumSize[i], look.fields);
    return look;
}

// The critical value of the last look, and the level with the futility boundaries ignored:
// what a regulator asks of a design whose futility stops are not binding.
constexpr FieldFormat kLevelFormat{6, 4};

void captureLevels(const Program& program, DesignSnapshot& d) {
    const DesignRecord& r = program.record();
    const double z = r.zAlpha;
    d.criticalValue = shownField(trimmed(formatF(z, kLevelFormat.width, kLevelFormat.decimals)), z);
    try {
        const std::vector<double> t = appliedLookTimes(r);
        const double level =
            nonbindingLevel(program.sequential().coefficient, z, r.numLooks, t.data());
        d.nonbindingLevel =
            shownField(trimmed(formatF(level, kLevelFormat.width, kLevelFormat.decimals)), level);
    } catch (const std::exception&) {
        d.nonbindingLevel.reset();  // looks closer together than the crossing grid takes
    }
    const SequentialState& seq = program.sequential();
    if (seq.heldSize) d.heldPower = {"m", (*seq.heldSize)[0], (*seq.heldSize)[1]};
    if (seq.heldAlternative)
        d.heldPower = {"altDelta", (*seq.heldAlternative)[0], (*seq.heldAlternative)[1]};
}

void captureSequential(const Program& program, DesignSnapshot& d) {
    const SequentialState& seq = program.sequential();
    const Dialog& panel = program.dialog(kPanelDialog);
    for (const auto& [name, control] : {std::pair{"looks", panel::kLooksCombo},
                                        {"rho", panel::kRhoCombo},
                                        {"a", panel::kCoeffCombo},
                                        {"maxDiscordance", panel::kDiscordanceEdit},
                                        {"actualSigLevel", panel::kActualSigEdit},
                                        {"actualPower", panel::kActualPowerEdit}})
        d.panelTexts.emplace_back(name, panel.getText(control));
    for (int k = 1; k <= program.record().numLooks; ++k)
        d.looks.push_back(lookFields(program, k));
    // The values the program used.
    d.values.insert(d.values.end(), {{"a", seq.coefficient},
                                     {"achievedRho", seq.achievedRho},
                                     {"rhoMax", program.record().rhoMax},
                                     {"maxDiscordance", seq.maxDiscordance},
                                     {"actualSigLevel", seq.actualLevel},
                                     {"actualPower", seq.actualPower}});
    d.searchIterates = seq.searchIterates;
    d.sequential = true;
    captureLevels(program, d);
}

void captureCurves(Program& program, DesignSnapshot& d) {
    d.curves = true;
    const DesignRecord& r = program.record();
    const auto dataMean = [&r](double theta) {
        return isBrownian(r) ? theta : muOfDelta(r, theta);
    };
    std::vector<double> means;
    const std::vector<double> power = powerFunction(program, &means);
    for (std::size_t i = 0; i < means.size(); ++i)
        d.powerFunction.push_back({means[i], dataMean(means[i]), power[2 * i], power[2 * i + 1]});
    const std::vector<double> expected = expectedInformation(program, &means);
    for (std::size_t i = 0; i < means.size(); ++i)
        d.expectedInformation.push_back({means[i], dataMean(means[i]), expected[i]});
}

// A dialog of section 5 that shows the operating characteristics at one true mean at a time:
// its close button, its combos of the mean on both scales, and the panel's button that opens it.
struct MeansDialog {
    int id;
    int close;
    int deltaCombo;
    int muCombo;
    int panelButton;
};

// A field of a dialog, and the member of the program's state that holds the value it shows.
template <typename Values>
struct FieldRow {
    const char* name;
    int control;
    double Values::*value;
};

constexpr MeansDialog kSignificance{kSignificanceDialog, significance::kClose,
                                    significance::kDeltaCombo, significance::kMuCombo,
                                    panel::kSignificanceButton};
constexpr std::array<FieldRow<HittingProbabilities>, 4> kSignificanceFields = {{
    {"sigAt", significance::kSigAtEdit, &HittingProbabilities::sigAt},
    {"sigBy", significance::kSigByEdit, &HittingProbabilities::sigBy},
    {"stopAt", significance::kStopAtEdit, &HittingProbabilities::stopAt},
    {"stopBy", significance::kStopByEdit, &HittingProbabilities::stopBy},
}};

constexpr MeansDialog kExpectedSize{kExpectedSizeDialog, expectedsize::kClose,
                                    expectedsize::kDeltaCombo, expectedsize::kMuCombo,
                                    panel::kExpectedSizeButton};
constexpr std::array<FieldRow<ExpectedSizes>, 8> kExpectedSizeFields = {{
    {"EN", expectedsize::kSizeOverall, &ExpectedSizes::sizeOverall},
    {"ENSig", expectedsize::kSizeGivenSig, &ExpectedSizes::sizeGivenSig},
    {"ENFut", expectedsize::kSizeGivenFut, &ExpectedSizes::sizeGivenFut},
    {"ET", expectedsize::kTimeOverall, &ExpectedSizes::timeOverall},
    {"ETSig", expectedsize::kTimeGivenSig, &ExpectedSizes::timeGivenSig},
    {"ETFut", expectedsize::kTimeGivenFut, &ExpectedSizes::timeGivenFut},
    {"PSig", expectedsize::kProbSig, &ExpectedSizes::probSig},
    {"PFut", expectedsize::kProbFut, &ExpectedSizes::probFut},
}};

constexpr MeansDialog kDiscordance{kDiscordanceDialog, discordance::kClose,
                                   discordance::kDeltaCombo, discordance::kMuCombo,
                                   panel::kDiscordanceButton};
constexpr std::array<FieldRow<DiscordanceValues>, 3> kDiscordanceFields = {{
    {"all", discordance::kOverall, &DiscordanceValues::overall},
    {"sig", discordance::kAtSignificance, &DiscordanceValues::atSignificance},
    {"fut", discordance::kAtFutility, &DiscordanceValues::atFutility},
}};

// Each field of the table as the dialog shows it, with the value the program computed.
template <typename Values, std::size_t N>
void readFields(Session& s, const MeansDialog& dialog, const std::array<FieldRow<Values>, N>& table,
                const Values& values, ShownFields& into) {
    for (const FieldRow<Values>& row : table)
        into.add(row.name, shownField(s.ui().text(dialog.id, row.control), values.*row.value));
}

// Opens the dialog with its panel button; inside it, types each mean on the scale the user chose
// and reads what the dialog then shows (read(i) for the i-th mean); then closes it.
void atEachMean(Session& s, const MeansDialog& dialog, const MeanList& means,
                const std::function<void(std::size_t)>& read) {
    const int combo = means.onDataScale ? dialog.muCombo : dialog.deltaCombo;
    s.inModal(dialog.id, dialog.close, [&] {
        for (std::size_t i = 0; i < means.texts.size(); ++i) {
            s.act([&](Driver& ui) { ui.type(dialog.id, combo, means.texts[i]); });
            read(i);
        }
    });
    s.act([&](Driver& ui) { ui.click(dialog.panelButton); });
}

void captureSignificance(Session& s, const MeanList& means, DesignSnapshot& d) {
    using namespace significance;
    const int K = s.program().record().numLooks;
    const HittingProbabilities& p = s.program().characteristics().hitting;
    atEachMean(s, kSignificance, means, [&](std::size_t i) {
        for (int k = 1; k <= K; ++k) {
            s.act([&](Driver& ui) { ui.spin(kSignificanceDialog, kStageSpin, k); });
            DesignSnapshot::Look look{k, {}};
            readFields(s, kSignificance, kSignificanceFields, p, look.fields);
            // On information time the group size field is blank: its value is none.
            const LookSizes sizes = sizesAtLook(s.program().record(), k);
            look.fields.add("groupSize",
                            shownWhole(s.ui().text(kSignificanceDialog, kGroupSizeEdit),
                                       sizes.group.value_or(0)));
            look.fields.add(
                "cumulative",
                shownWhole(s.ui().text(kSignificanceDialog, kCumulativeEdit), sizes.cumulative));
            d.characteristics[i].looks.push_back(std::move(look));
        }
    });
}

void captureExpectedSize(Session& s, const MeanList& means, DesignSnapshot& d) {
    const ExpectedSizes& e = s.program().characteristics().expected;
    atEachMean(s, kExpectedSize, means, [&](std::size_t i) {
        readFields(s, kExpectedSize, kExpectedSizeFields, e, d.characteristics[i].expected);
    });
}

void captureDiscordance(Session& s, const MeanList& means, DesignSnapshot& d) {
    const DiscordanceValues& v = s.program().characteristics().discordance;
    atEachMean(s, kDiscordance, means, [&](std::size_t i) {
        readFields(s, kDiscordance, kDiscordanceFields, v, d.characteristics[i].discordance);
    });
}

void captureBoundaries(Session& s, DesignSnapshot& d) {
    using namespace boundaries;
    const CharacteristicsState& c = s.program().characteristics();
    const DesignRecord& r = s.program().record();
    // With two groups the first column is the difference of the means, not the sum.
    const bool two = twoGroups(r);
    s.inModal(kBoundaryDialog, kClose, [&] {
        for (int k = 1; k <= s.program().record().numLooks; ++k) {
            s.act([&](Driver& ui) { ui.spin(kBoundaryDialog, kLookSpin, k); });
            const BoundaryValues& b = c.boundary;
            DesignSnapshot::Boundary look{k, c.partialSize, {}};
            const auto field = [&](const char* name, int control, double value) {
                look.fields.add(name, shownField(s.ui().text(kBoundaryDialog, control), value));
            };
            field("infoTime", kTimeCombo, c.time);
            field(two ? "lowerDifference" : "lowerSum", kLowerSum, b.lowerSum);
            field(two ? "upperDifference" : "upperSum", kUpperSum, b.upperSum);
            field("lowerStd", kLowerStd, b.lowerStd);
            field("upperStd", kUpperStd, b.upperStd);
            field("lowerP", kLowerP, b.lowerP);
            field("upperP", kUpperP, b.upperP);
            addGroups(r, c.partialSize, look.fields);
            d.boundaries.push_back(std::move(look));
        }
    });
    s.act([](Driver& ui) { ui.click(panel::kBoundaryButton); });
}

}  // namespace

Shown shownField(std::string text, double value) {
    const bool none = showsNoNumber(text) || !std::isfinite(value);
    return {std::move(text), none ? std::nullopt : std::optional(value), false};
}

Shown shownWhole(std::string text, long long value) {
    const bool none = showsNoNumber(text);
    return {std::move(text), none ? std::nullopt : std::optional(static_cast<double>(value)), true};
}

DesignSnapshot captureSnapshot(Session& s, const DesignInputs& inputs, const CaptureParts& parts) {
    DesignSnapshot d;
    d.inputs = inputs;
    captureFixed(s.program(), d);
    if (!parts.sequential) return d;
    captureSequential(s.program(), d);
    if (parts.curves) captureCurves(s.program(), d);
    if (inputs.means && !inputs.means->texts.empty()) {
        for (const std::string& text : inputs.means->texts)
            d.characteristics.push_back({inputs.means->onDataScale, text, {}, {}, {}});
        captureSignificance(s, *inputs.means, d);
        captureExpectedSize(s, *inputs.means, d);
        captureDiscordance(s, *inputs.means, d);
    }
    if (parts.boundaries) captureBoundaries(s, d);
    return d;
}

DesignSnapshot computeSnapshot(Session& s, const DesignInputs& inputs, const CaptureParts& parts) {
    const AfterAction after = [&s] { s.checkMessages(); };
    enterFixedDesign(s.program(), inputs, after);
    if (parts.sequential) enterSequentialDesign(s.program(), inputs, after);
    DesignSnapshot snapshot = captureSnapshot(s, inputs, parts);
    snapshot.inputs = completeInputs(snapshot);
    return snapshot;
}

DesignSnapshot panelSnapshot(const Program& program) {
    DesignSnapshot d;
    captureFixed(program, d);
    if (program.sequential().designComputed) {
        captureSequential(program, d);
        // The level chosen is an input of the design, and its snapshot tells it.
        const std::string level = program.dialog(kPanelDialog).getText(panel::kLevelCombo);
        if (!level.empty() && level != kNominalLevel) d.inputs.level = level;
    }
    return d;
}

}  // namespace qalix
