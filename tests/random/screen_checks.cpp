#include "random/screen_checks.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <variant>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/panel_ids.hpp"

namespace qalix::testing {

namespace {

// A probability (or an information time) may miss [0, 1] by the grids' error.
constexpr double kGridError = 1e-5;

// The fields whose value lies in [0, 1]: probabilities, and information times.
struct UnitField {
    int dialog;
    int control;
};

constexpr std::array kUnitFields = {
    UnitField{kPanelDialog, panel::kAlphaCombo},
    UnitField{kPanelDialog, panel::kPowerCombo},
    UnitField{kPanelDialog, panel::kRhoCombo},
    UnitField{kPanelDialog, panel::kDiscordanceEdit},
    UnitField{kPanelDialog, panel::kActualSigEdit},
    UnitField{kPanelDialog, panel::kActualPowerEdit},
    UnitField{kBoundaryDialog, boundaries::kTimeCombo},
    UnitField{kBoundaryDialog, boundaries::kLowerP},
    UnitField{kBoundaryDialog, boundaries::kUpperP},
    UnitField{kSignificanceDialog, significance::kSigAtEdit},
    UnitField{kSignificanceDialog, significance::kSigByEdit},
    UnitField{kSignificanceDialog, significance::kStopAtEdit},
    UnitField{kSignificanceDialog, significance::kStopByEdit},
    UnitField{kExpectedSizeDialog, expectedsize::kProbSig},
    UnitField{kExpectedSizeDialog, expectedsize::kProbFut},
    UnitField{kExpectedSizeDialog, expectedsize::kTimeOverall},
    UnitField{kExpectedSizeDialog, expectedsize::kTimeGivenSig},
    UnitField{kExpectedSizeDialog, expectedsize::kTimeGivenFut},
    UnitField{kDiscordanceDialog, discordance::kOverall},
    UnitField{kDiscordanceDialog, discordance::kAtSignificance},
    UnitField{kDiscordanceDialog, discordance::kAtFutility},
};

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string where(const Dialog& dialog, int control) {
    return "dialog " + std::to_string(dialog.id()) + " (\"" + dialog.layout().title +
           "\") control " + std::to_string(control);
}

std::optional<std::string> rangeFault(const Dialog& dialog, int control) {
    const std::string text = dialog.getText(control);
    if (isBlank(text) || text == kUndefined) return std::nullopt;  // no value, and it says so
    const std::string at = where(dialog, control) + " shows \"" + text + "\"";
    if (text.find_first_not_of("* ") == std::string::npos)
        return at + ": asterisks where any value of [0, 1] fits";
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !isBlank(end)) return at + ": not a number";
    if (!(value >= -kGridError && value <= 1.0 + kGridError)) return at + ": outside [0, 1]";
    return std::nullopt;
}

// The place is named only for a fault: most texts are fine, and naming costs.
template <typename Place>
std::optional<std::string> wordFault(std::string_view text, Place place) {
    if (const auto word = nonNumberWord(text)) {
        return place() + " shows \"" + *word + "\" in \"" + std::string(text.substr(0, 200)) + "\"";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> nonNumberWord(std::string_view text) {
    std::string word;
    const auto judge = [&word]() -> std::optional<std::string> {
        std::string lower = word;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        word.clear();
        if (lower == "nan" || lower == "inf" || lower == "infinity") return lower;
        return std::nullopt;
    };
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += c;
        } else if (auto found = judge()) {
            return found;
        }
    }
    return judge();
}

std::optional<std::string> controlFault(const Dialog& dialog, int control, bool typedByUser) {
    const Control& c = dialog.control(control);
    if (!typedByUser) {
        if (auto fault = wordFault(c.text, [&] { return where(dialog, control); })) return fault;
        for (const UnitField& field : kUnitFields) {
            if (field.dialog != dialog.id() || field.control != control) continue;
            if (auto fault = rangeFault(dialog, control)) return fault;
        }
    }
    for (const std::string& item : c.items) {
        if (auto fault = wordFault(item, [&] { return where(dialog, control) + " list"; }))
            return fault;
    }
    return std::nullopt;
}

std::optional<std::string> pictureFault(const RecordingCanvas& picture) {
    std::string previous;  // a value is drawn after its label
    for (const CanvasCall& call : picture.calls()) {
        if (const auto* text = std::get_if<call::TextOut>(&call)) {
            const auto place = [&] { return "the graphic window after \"" + previous + "\""; };
            if (auto fault = wordFault(text->text, place)) return fault;
            previous = text->text;
        }
    }
    return std::nullopt;
}

std::optional<std::string> titleFault(const std::string& title) {
    return wordFault(title, [] { return std::string("the frame's title"); });
}

std::optional<std::string> messageFault(const Message& message) {
    const auto place = [&] { return "the message box \"" + message.text + "\""; };
    if (auto fault = wordFault(message.caption, place)) return fault;
    return wordFault(message.text, place);
}

}  // namespace qalix::testing
