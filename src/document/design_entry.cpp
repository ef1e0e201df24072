#include "document/design_entry.hpp"

#include <map>
#include <string>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "design/trial_scale.hpp"

namespace qalix {

namespace {

using namespace panel;

int designButton(const std::string& design) {
    static const std::map<std::string, int, std::less<>> buttons = {
        {std::string(kNormseqKey), kNormseqDesign},
        {std::string(kBrownianKey), kBrownianDesign},
        {std::string(kFixedKey), kFixedDesign}};
    return buttons.at(design);
}

int solveButton(const std::string& parameter) {
    static const std::map<std::string, int> buttons = {{"m", kSizeButton},
                                                       {"mu", kMuButton},
                                                       {"sd", kSdButton},
                                                       {"power", kPowerButton},
                                                       {"alpha", kAlphaButton}};
    return buttons.at(parameter);
}

// The user's actions on one dialog, each followed by the caller's step.
struct Typist {
    Dialog& dialog;
    const AfterAction& after;

    void type(int control, const std::optional<std::string>& text) const {
        if (!text) return;
        dialog.userType(control, *text);
        after();
    }
    // A parameter already showing the text given is left alone, as a user leaves it: typing
    // alpha or power again on information time would show delta_a afresh, to four decimals.
    void typeChanged(int control, const std::optional<std::string>& text) const {
        if (text && dialog.getText(control) == *text) return;
        type(control, text);
    }
    void click(int control) const {
        dialog.userClick(control);
        after();
    }
};

// Types looks 1..K-1 of one row of the information-time dialog and updates the others.
void enterLooks(const Typist& times, const std::array<int, kMaxLooks>& row,
                const std::vector<std::string>& values, int K) {
    if (static_cast<int>(values.size()) != K - 1) {
        throw InputError("give " + std::to_string(K - 1) +
                         " values, one for each look before the last");
    }
    for (std::size_t k = 0; k < values.size(); ++k)
        times.type(row[k], values[k]);
    times.click(infotimes::kUpdateChanges);
}

}  // namespace

void enterFixedDesign(Program& program, const DesignInputs& inputs, const AfterAction& after) {
    const Typist panel{program.panel(), after};
    panel.click(designButton(inputs.design));
    panel.typeChanged(kAlphaCombo, inputs.alpha);
    panel.typeChanged(kPowerCombo, inputs.power);
    panel.typeChanged(kSdCombo, inputs.sd);
    panel.typeChanged(kMuCombo, inputs.mu);
    panel.typeChanged(kSizeCombo, inputs.m);
    if (inputs.solve) panel.click(solveButton(*inputs.solve));
}

void enterSequentialDesign(Program& program, const DesignInputs& inputs, const AfterAction& after) {
    const Typist panel{program.panel(), after};
    panel.type(kLooksCombo, inputs.looks);
    Platform& platform = program.platform();
    bool shown = false;
    platform.scriptModal(kInfoTimeDialog, [&](Dialog& dialog) {
        shown = true;
        const Typist times{dialog, after};
        const int K = program.record().numLooks;
        if (inputs.groups) enterLooks(times, infotimes::kGroupSize, *inputs.groups, K);
        if (inputs.times) enterLooks(times, infotimes::kTime, *inputs.times, K);
        times.click(infotimes::kOk);
    });
    try {
        panel.click(isBrownian(program.record()) ? kInfoTimesButton : kGroupSizesButton);
    } catch (...) {
        if (!shown) platform.withdrawScript(kInfoTimeDialog);
        throw;
    }
    if (!shown) platform.withdrawScript(kInfoTimeDialog);
    panel.type(kRhoCombo, inputs.rho);
    panel.click(kCoeffButton);
    if (inputs.a) {
        panel.type(kCoeffCombo, inputs.a);
        panel.click(kRhoButton);
    }
    panel.click(kSequentialDesignButton);
}

MeanList withDesignMeans(MeanList own, const std::optional<MeanList>& design,
                         const DesignRecord& record) {
    if (!design) return own;
    for (const std::string& text : design->texts) {
        double value = 0.0;
        if (design->onDataScale == own.onDataScale || readFree(text, value) != ReadStatus::Ok) {
            own.texts.push_back(text);
        } else {
            own.texts.push_back(
                formatFree(own.onDataScale ? muOfDelta(record, value) : deltaOfMu(record, value)));
        }
    }
    return own;
}

}  // namespace qalix
