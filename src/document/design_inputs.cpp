#include "document/design_inputs.hpp"

#include <map>
#include <string>

#include "design/fixed_sample.hpp"
#include "design/info_time_ids.hpp"
#include "design/level_choice.hpp"
#include "design/outcome.hpp"
#include "design/panel_ids.hpp"
#include "design/trial_scale.hpp"
#include "numeric/number_text.hpp"
#include "shell/program.hpp"

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
    void pick(int control, const std::optional<std::string>& item) const {
        if (!item) return;
        dialog.userPick(control, std::string_view(*item));
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
    if (inputs.allocation) {
        panel.pick(kOutcomeCombo, std::string(kTwoGroups));
        panel.type(kAllocationCombo, inputs.allocation);
    } else if (program.panel().getText(kOutcomeCombo) != kOneSample) {
        panel.pick(kOutcomeCombo, std::string(kOneSample));
    }
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
    panel.pick(kLevelCombo, inputs.level);
    if (inputs.holdPower != program.panel().getLogical(kHoldPowerCheck))
        panel.click(kHoldPowerCheck);
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

namespace {

// Whether the text reads as the value the record holds, in the record's precision.
template <typename T>
bool readsBack(const std::string& text, T held) {
    T value{};
    return readFree(text, value) == ReadStatus::Ok && value == held;
}

struct Parameter {
    std::string_view name;
    int combo;
    std::optional<std::string> DesignInputs::*input;
    bool readsBack;
};

void readParameters(const Program& program, DesignInputs& in) {
    const DesignRecord& r = program.record();
    const Dialog& p = program.dialog(kPanelDialog);
    const auto held = [&p](int combo, auto value) { return readsBack(p.getText(combo), value); };
    // A size grown to hold the power is entered as it was before it grew.
    const auto& grown = program.sequential().heldSize;
    const std::string sizeText = grown ? program.sequential().heldSizeText : p.getText(kSizeCombo);
    const double size = grown ? (*grown)[0] : r.sampleSize;
    const Parameter parameters[] = {
        {"alpha", kAlphaCombo, &DesignInputs::alpha, held(kAlphaCombo, r.alpha)},
        {"power", kPowerCombo, &DesignInputs::power, held(kPowerCombo, r.power)},
        {"sd", kSdCombo, &DesignInputs::sd, held(kSdCombo, r.stdDev)},
        {"mu", kMuCombo, &DesignInputs::mu, held(kMuCombo, r.altMean)},
        {"m", kSizeCombo, &DesignInputs::m,
         readsBack(sizeText, size) && !sizeSolvedInGroups(r, size, sizeText)}};
    for (const Parameter& parameter : parameters) {
        // On information time only alpha and power are the user's to type.
        if (isBrownian(r) && parameter.name != "alpha" && parameter.name != "power") continue;
        if (!parameter.readsBack && !in.solve) {
            in.solve = std::string(parameter.name);
        } else {
            in.*parameter.input =
                parameter.combo == kSizeCombo ? sizeText : p.getText(parameter.combo);
        }
    }
}

// Group sizes as typed; times as "Update Changes" shows them, which typing them again gives.
std::vector<std::string> lookTexts(const Program& program) {
    const DesignRecord& r = program.record();
    const Dialog& dialog = program.dialog(kInfoTimeDialog);
    std::vector<std::string> texts;
    for (int k = 1; k < r.numLooks; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        texts.push_back(isBrownian(r) ? trimmed(dialog.getText(infotimes::kTime[i]))
                                      : dialog.getText(infotimes::kGroupSize[i]));
    }
    return texts;
}

}  // namespace

DesignInputs typedInputs(const Program& program, bool withLooks) {
    const Dialog& p = program.dialog(kPanelDialog);
    DesignInputs in;
    in.design = program.record().designKind.str();
    if (p.getText(kOutcomeCombo) == kTwoGroups)
        in.allocation = trimmed(p.getText(kAllocationCombo));
    readParameters(program, in);
    in.looks = p.getText(kLooksCombo);
    if (withLooks) (isBrownian(program.record()) ? in.times : in.groups) = lookTexts(program);
    const std::vector<double>& searched = program.sequential().searchIterates;
    const std::string a = p.getText(kCoeffCombo);
    if (!searched.empty() && a == formatFree(searched.back())) {
        in.rho = p.getText(kRhoCombo);
    } else {
        in.a = a;
    }
    const std::string level = p.getText(kLevelCombo);
    if (!level.empty() && level != kNominalLevel) in.level = level;
    in.holdPower = p.getLogical(kHoldPowerCheck);
    return in;
}

}  // namespace qalix
