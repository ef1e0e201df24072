#include "design/results_watch.hpp"

#include <algorithm>
#include <array>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "design/panel_labels.hpp"

namespace qalix {

namespace {

using namespace panel;

constexpr std::array kPanelInputs = {kAlphaCombo, kSdCombo,       kPowerCombo, kMuCombo,
                                     kSizeCombo,  kLooksCombo,    kRhoCombo,   kCoeffCombo,
                                     kLevelCombo, kHoldPowerCheck};
constexpr std::array kResultFields = {kDiscordanceEdit, kActualSigEdit, kActualPowerEdit};
constexpr std::array kCharacteristics = {kBoundaryButton, kSignificanceButton, kDiscordanceButton,
                                         kExpectedSizeButton};
// The rows of the information-time dialog, by the labels of the dialog's template.
constexpr std::string_view kTimesLabel = "Information Times";
constexpr std::string_view kGroupSizesLabel = "Group Sizes";

bool isInput(int dialog, int control) {
    if (dialog == kPanelDialog)
        return std::find(kPanelInputs.begin(), kPanelInputs.end(), control) != kPanelInputs.end();
    const auto in = [control](const auto& row) {
        return std::find(row.begin(), row.end(), control) != row.end();
    };
    return dialog == kInfoTimeDialog && (in(infotimes::kTime) || in(infotimes::kGroupSize));
}

std::vector<ResultInput> inputsNow(const DesignContext& program) {
    std::vector<ResultInput> inputs;
    const Dialog& panel = program.panel();
    for (int c : kPanelInputs) {
        // A check box is its state, not its caption.
        const std::string text =
            c == kHoldPowerCheck ? (panel.getLogical(c) ? "checked" : "") : panel.getText(c);
        inputs.push_back({kPanelDialog, c, text});
    }
    const Dialog& times = program.dialog(kInfoTimeDialog);
    for (const auto& row : {infotimes::kTime, infotimes::kGroupSize}) {
        for (int c : row)
            inputs.push_back({kInfoTimeDialog, c, times.getText(c)});
    }
    return inputs;
}

// How the inputs differ from those of the results shown: the first that does, and whether
// the boundaries themselves changed (new looks or times, a new rho_max, a typed a), which
// leaves every probability computed on the search's table for the earlier boundaries.
struct Difference {
    ResultInput first;
    bool looksOrRho = false;
    bool coefficient = false;
    bool boundaries() const { return looksOrRho || coefficient; }
};

std::optional<Difference> difference(const DesignContext& program) {
    const std::vector<ResultInput>& then = program.sequential.resultInputs;
    if (then.empty()) return std::nullopt;
    const std::vector<ResultInput> now = inputsNow(program);
    std::optional<Difference> found;
    for (std::size_t i = 0; i < then.size() && i < now.size(); ++i) {
        if (now[i].text == then[i].text) continue;
        if (!found) found = Difference{now[i]};
        const ResultInput& input = now[i];
        found->coefficient |= input.control == kCoeffCombo && input.dialog == kPanelDialog;
        found->looksOrRho |= input.dialog == kInfoTimeDialog || input.control == kLooksCombo ||
                             input.control == kRhoCombo;
    }
    return found;
}

std::string labelOf(const DesignContext& program, const ResultInput& input) {
    if (input.dialog == kPanelDialog) return panelFieldLabel(program.panel(), input.control);
    const auto& times = infotimes::kTime;
    const bool time = std::find(times.begin(), times.end(), input.control) != times.end();
    return std::string(time ? kTimesLabel : kGroupSizesLabel);
}

// The buttons that compute the results again: a new coefficient for new looks or a new
// rho_max, the discordance of a typed a, and the design.
std::string whatComputesAgain(const DesignContext& program, const Difference& d) {
    const Dialog& panel = program.panel();
    const auto quoted = [&panel](int button) { return "\"" + panel.getText(button) + "\""; };
    const std::string design = quoted(kSequentialDesignButton);
    if (d.looksOrRho) return quoted(kCoeffButton) + ", then " + design;
    if (d.coefficient) return quoted(kRhoButton) + ", then " + design;
    return design;
}

std::string notice(const DesignContext& program, const Difference& d) {
    return "Results are for earlier inputs (\"" + labelOf(program, d.first) +
           "\" changed): press " + whatComputesAgain(program, d) + ".";
}

// The panel's results greyed and the notice beside them; the operating characteristics too
// when the boundaries changed (a change of alpha, sigma, mu_a, m or the power they read
// afresh when they open).
void mark(DesignContext& program, const std::optional<Difference>& d) {
    Dialog& panel = program.panel();
    for (int c : kResultFields)
        panel.setLogical(c, !d, Index::Enabled);
    for (int c : kCharacteristics)
        panel.setLogical(c, !d || !d->boundaries(), Index::Enabled);
    panel.setText(kStaleNotice, d ? notice(program, *d) : std::string());
    program.frame.refreshMenu();
    program.frame.pictureChanged();
}

void inputChanged(DesignContext& program) {
    SequentialState& s = program.sequential;
    if (!s.designComputed || s.resultInputs.empty()) return;
    const std::optional<Difference> d = difference(program);
    if (!d && !s.resultsStale) return;
    s.resultsStale = d.has_value();
    mark(program, d);
}

}  // namespace

void attachResultsWatch(DesignContext& program) {
    for (int id : {kPanelDialog, kInfoTimeDialog}) {
        program.dialog(id).observe([&program, id](const Dialog&, int control, Change change) {
            if (change == Change::Text && isInput(id, control)) inputChanged(program);
        });
    }
}

void resultsComputed(DesignContext& program) {
    program.sequential.resultInputs = inputsNow(program);
    program.sequential.resultsStale = false;
    mark(program, std::nullopt);
}

void resultsCleared(DesignContext& program) {
    program.sequential.resultInputs.clear();
    program.sequential.resultsStale = false;
    program.panel().setText(kStaleNotice, "");
}

std::string staleResultsRefusal(const DesignContext& program) {
    if (!program.sequential.resultsStale) return {};
    const auto d = difference(program);
    if (!d) return {};
    return "The panel shows results for earlier inputs: \"" + labelOf(program, d->first) +
           "\" has changed since. Press " + whatComputesAgain(program, *d) + ", then try again.";
}

}  // namespace qalix
