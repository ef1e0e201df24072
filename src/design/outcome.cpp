#include "design/outcome.hpp"

#include <string>

#include "design/allocation.hpp"
#include "design/panel_ids.hpp"
#include "design/trial_scale.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace panel;

constexpr std::string_view kDefaultRatio = "1";
constexpr std::string_view kMeanLabel = "Alt. Mean mu_a =";
constexpr std::string_view kDifferenceLabel = "Alt. Diff. mu_a =";

// The ratio as the combo shows it; none when it is not one number.
std::optional<double> typedRatio(const Dialog& panel) {
    const std::string text = trimmed(panel.getText(kAllocationCombo));
    double ratio = 0.0;
    if (!isOneNumber(text) || readFree(text, ratio) != ReadStatus::Ok) return std::nullopt;
    return ratio;
}

bool ratioInRange(double ratio) {
    return ratio >= kMinAllocation && ratio <= kMaxAllocation;
}

}  // namespace

bool twoGroupsChosen(const DesignContext& program) {
    return program.panel().getText(kOutcomeCombo) == kTwoGroups;
}

bool readAllocation(DesignContext& program) {
    DesignRecord& r = program.record;
    if (!twoGroupsChosen(program)) {
        r.allocation = 0.0;
        return true;
    }
    const std::optional<double> ratio = typedRatio(program.panel());
    if (!ratio || !ratioInRange(*ratio)) {
        program.error(
            "The allocation ratio r (treatment to control patients) must be a number "
            "from " +
            formatFree(kMinAllocation) + " to " + formatFree(kMaxAllocation) + ".");
        return false;
    }
    if (*ratio != r.allocation) r.solvedGroups = {};  // groups solved for another ratio
    r.allocation = *ratio;
    return true;
}

void showGroups(DesignContext& program) {
    Dialog& panel = program.panel();
    const DesignRecord& r = program.record;
    const std::optional<double> ratio = typedRatio(panel);
    if (!twoGroupsChosen(program) || !ratio || !ratioInRange(*ratio) || !twoGroups(r) ||
        !(r.sampleSize >= 1.0)) {
        panel.setText(kGroupsEdit, "");
        return;
    }
    const GroupSizes groups = groupsOfTotal(r, maximumSize(r));
    panel.setText(kGroupsEdit,
                  std::to_string(groups.control) + " + " + std::to_string(groups.treatment));
}

void OUTCOMECHANGE(DesignContext& program, Dialog& panel, int control, CallbackKind) {
    DesignRecord& r = program.record;
    const bool two = twoGroupsChosen(program);
    for (int shown : {kAllocationCombo, kAllocationLabel, kGroupsEdit})
        panel.setLogical(shown, two, Index::Enabled);
    // A ratio offered when two groups are chosen; one the user clears while typing stays clear.
    if (two && control != kAllocationCombo && trimmed(panel.getText(kAllocationCombo)).empty())
        panel.setText(kAllocationCombo, std::string(kDefaultRatio));
    if (!isBrownian(r)) panel.setText(kMuButton, std::string(two ? kDifferenceLabel : kMeanLabel));
    const std::optional<double> ratio = typedRatio(panel);
    if (!two) {
        r.allocation = 0.0;
    } else if (ratio && ratioInRange(*ratio) && *ratio != r.allocation) {
        r.solvedGroups = {};
        r.allocation = *ratio;
    }
    showGroups(program);
    // The sample-path commands follow the outcome, however it changed: picked, or set by a
    // design button.
    program.frame.refreshMenu();
}

void outcomeForDesign(DesignContext& program) {
    Dialog& panel = program.panel();
    const bool brownian = isBrownian(program.record);
    if (brownian) panel.setText(kOutcomeCombo, std::string(kOneSample));
    if (trimmed(panel.getText(kOutcomeCombo)).empty())
        panel.setText(kOutcomeCombo, std::string(kOneSample));
    panel.setLogical(kOutcomeCombo, !brownian, Index::Enabled);
    OUTCOMECHANGE(program, panel, kOutcomeCombo, CallbackKind::Default);
}

}  // namespace qalix
