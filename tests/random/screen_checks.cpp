#include "random/screen_checks.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <regex>
#include <variant>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/panel_ids.hpp"
#include "samples/import_ids.hpp"

namespace qalix::testing {

namespace {

// A probability (or an information time) may miss [0, 1] by the grids' error.
constexpr double kGridError = 1e-5;

struct Field {
    int dialog;
    int control;
};

// The fields whose value lies in [0, 1]: probabilities, and information times.
constexpr std::array kUnitFields = {
    Field{kPanelDialog, panel::kAlphaCombo},
    Field{kPanelDialog, panel::kPowerCombo},
    Field{kPanelDialog, panel::kRhoCombo},
    Field{kPanelDialog, panel::kDiscordanceEdit},
    Field{kPanelDialog, panel::kActualSigEdit},
    Field{kPanelDialog, panel::kActualPowerEdit},
    Field{kBoundaryDialog, boundaries::kTimeCombo},
    Field{kBoundaryDialog, boundaries::kLowerP},
    Field{kBoundaryDialog, boundaries::kUpperP},
    Field{kSignificanceDialog, significance::kSigAtEdit},
    Field{kSignificanceDialog, significance::kSigByEdit},
    Field{kSignificanceDialog, significance::kStopAtEdit},
    Field{kSignificanceDialog, significance::kStopByEdit},
    Field{kExpectedSizeDialog, expectedsize::kProbSig},
    Field{kExpectedSizeDialog, expectedsize::kProbFut},
    Field{kExpectedSizeDialog, expectedsize::kTimeOverall},
    Field{kExpectedSizeDialog, expectedsize::kTimeGivenSig},
    Field{kExpectedSizeDialog, expectedsize::kTimeGivenFut},
    Field{kDiscordanceDialog, discordance::kOverall},
    Field{kDiscordanceDialog, discordance::kAtSignificance},
    Field{kDiscordanceDialog, discordance::kAtFutility},
};

// Fields whose value always fits their width: an expected sample size lies in [0, M] with M
// at most 99999, and F7.1 holds that.
// The fields that show a name read from a sample file: whatever the file says, "NaN" too.
constexpr std::array kNameFields = {Field{kImportDialog, imports::kVarNameEdit}};

constexpr std::array kFittingFields = {
    Field{kExpectedSizeDialog, expectedsize::kSizeOverall},
    Field{kExpectedSizeDialog, expectedsize::kSizeGivenSig},
    Field{kExpectedSizeDialog, expectedsize::kSizeGivenFut},
};

template <std::size_t N>
bool listed(const std::array<Field, N>& fields, const Dialog& dialog, int control) {
    return std::any_of(fields.begin(), fields.end(), [&](const Field& f) {
        return f.dialog == dialog.id() && f.control == control;
    });
}

bool isAsterisks(std::string_view text) {
    return !text.empty() && text.find_first_not_of('*') == std::string_view::npos;
}

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
    if (isAsterisks(text)) return at + ": asterisks where any value of [0, 1] fits";
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
    if (!typedByUser && !listed(kNameFields, dialog, control)) {
        if (auto fault = wordFault(c.text, [&] { return where(dialog, control); })) return fault;
        if (listed(kUnitFields, dialog, control)) {
            if (auto fault = rangeFault(dialog, control)) return fault;
        }
        if (listed(kFittingFields, dialog, control) && isAsterisks(c.text))
            return where(dialog, control) + " shows asterisks for a value that always fits";
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
            // A legend line "  3.  name" shows a name read from a file, whatever it says.
            static const std::regex kLegendName(R"(^\s*\d+\.  .*)");
            const bool name = std::regex_match(text->text, kLegendName);
            if (auto fault = name ? std::nullopt : wordFault(text->text, place)) return fault;
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
