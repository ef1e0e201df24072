#include "document/typed_inputs.hpp"

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace panel;

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
    const Parameter parameters[] = {
        {"alpha", kAlphaCombo, &DesignInputs::alpha, held(kAlphaCombo, r.alpha)},
        {"power", kPowerCombo, &DesignInputs::power, held(kPowerCombo, r.power)},
        {"sd", kSdCombo, &DesignInputs::sd, held(kSdCombo, r.stdDev)},
        {"mu", kMuCombo, &DesignInputs::mu, held(kMuCombo, r.altMean)},
        {"m", kSizeCombo, &DesignInputs::m, held(kSizeCombo, r.sampleSize)}};
    for (const Parameter& parameter : parameters) {
        // On information time only alpha and power are the user's to type.
        if (isBrownian(r) && parameter.name != "alpha" && parameter.name != "power") continue;
        if (!parameter.readsBack && !in.solve) {
            in.solve = std::string(parameter.name);
        } else {
            in.*parameter.input = p.getText(parameter.combo);
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
    return in;
}

}  // namespace qalix
