#include "design/panel_labels.hpp"

#include <array>
#include <string_view>
#include <utility>

#include "design/fields.hpp"
#include "design/panel_ids.hpp"

namespace qalix {

namespace {

using namespace panel;

// Fields whose label is the button that computes or searches them.
constexpr std::array<std::pair<int, int>, 7> kFieldButtons = {{{kAlphaCombo, kAlphaButton},
                                                               {kSdCombo, kSdButton},
                                                               {kPowerCombo, kPowerButton},
                                                               {kMuCombo, kMuButton},
                                                               {kSizeCombo, kSizeButton},
                                                               {kRhoCombo, kRhoButton},
                                                               {kCoeffCombo, kCoeffButton}}};

// Fields whose label is a text of the template beside them, which has no identifier.
constexpr std::array<std::pair<int, std::string_view>, 4> kFieldTexts = {
    {{kLooksCombo, "Number of Looks"},
     {kDiscordanceEdit, "Max Discordant Probability"},
     {kActualSigEdit, "Actual Sig-level"},
     {kActualPowerEdit, "Actual Power"}}};

std::string withoutClosingMark(std::string caption) {
    const auto last = caption.find_last_not_of(" =:");
    caption.erase(last == std::string::npos ? 0 : last + 1);
    return caption;
}

}  // namespace

std::string panelFieldLabel(const Dialog& panel, int control) {
    for (const auto& [field, button] : kFieldButtons) {
        if (field == control) return withoutClosingMark(panel.getText(button));
    }
    for (const auto& [field, text] : kFieldTexts) {
        if (field == control) return std::string(text);
    }
    return {};
}

bool panelFieldFilled(DesignContext& program, int control) {
    const Dialog& panel = program.panel();
    double value = 0.0;
    const ReadStatus status = readTyped(panel.getText(control), value);
    if (status == ReadStatus::Ok) return true;
    if (status == ReadStatus::Error) {
        program.entryError();
        return false;
    }
    program.error("\"" + panelFieldLabel(panel, control) + "\" holds no number: enter one first.");
    return false;
}

}  // namespace qalix
