#include "analysis/trial_dialog.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "analysis/trial_design.hpp"
#include "analysis/trial_dialog_ids.hpp"
#include "analysis/trial_text.hpp"
#include "graphics/plot_pass.hpp"
#include "numeric/number_text.hpp"
#include "samples/import_ids.hpp"
#include "samples/import_selection.hpp"
#include "samples/set_tables.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using namespace trialdialog;

// What a row's value is, in the order its list shows them ("sum", "mean", "Z"), as a look's
// text names it.
constexpr std::array<std::string_view, 3> kValueKeys = {"sum", "mean", "z"};
constexpr int kSumKind = 0;
constexpr int kZKind = 2;

constexpr std::string_view kOnGroupSizes =
    "A look: its cumulative number of observations n and their sum, mean or Z; an sd when an "
    "estimate of sigma replaces the design's.";
constexpr std::string_view kOnInformationTime = "A look: its information time t and its Z.";
constexpr std::string_view kInTwoGroups =
    "A look: its control and treatment sizes n1+n2 (such as 78+78) and, as \"mean\", the "
    "difference of the means (treatment minus control), or its Z; an sd when an estimate of "
    "sigma replaces the design's.";
constexpr int kMeanKind = 1;
// Two groups: the row's sizes are typed "n1+n2", and its mean is the difference of the means.
constexpr char kGroupsSeparator = '+';

std::string lookName(std::size_t index) {
    return "The look " + std::to_string(index + 1);
}

// 1 - 2 alpha: each bound of the interval one-sided at the design's own level.
double defaultLevel(const TrialDesign& design) {
    return 1.0 - 2.0 * design.nominalLevel;
}

std::string defaultConfidence(const TrialDesign& design) {
    return formatFree(defaultLevel(design));
}

// What the rows of the design's looks hold.
enum class RowScale { OneSample, TwoGroups, InformationTime };

RowScale rowScale(const TrialDesign& design) {
    if (design.onInformationTime) return RowScale::InformationTime;
    return design.allocation > 0.0 ? RowScale::TwoGroups : RowScale::OneSample;
}

std::string_view valueKey(const Dialog& dialog, std::size_t row, RowScale scale) {
    const int kind = scale == RowScale::InformationTime ? kZKind : dialog.getInt(kKindCombo[row]);
    if (scale == RowScale::TwoGroups && kind == kMeanKind) return "diff";
    return kValueKeys[static_cast<std::size_t>(std::clamp(kind, kSumKind, kZKind))];
}

// "78+78" as "n1=78,n2=78"; any other text as n, for the analysis to refuse in its words.
std::string groupsLook(const std::string& typed) {
    const std::size_t plus = typed.find(kGroupsSeparator);
    if (plus == std::string::npos || typed.find(kGroupsSeparator, plus + 1) != std::string::npos)
        return "n=" + typed;
    return "n1=" + trimmed(typed.substr(0, plus)) + ",n2=" + trimmed(typed.substr(plus + 1));
}

// The row as `qalix analyse --observed` takes a look: "n=6,sum=2", blank fields left out, so
// that the analysis names what is missing. On information time the sd field is not the look's.
std::string rowLook(const Dialog& dialog, std::size_t row, RowScale scale) {
    std::string look;
    const auto add = [&look](std::string_view key, const std::string& text) {
        if (!text.empty()) look += (look.empty() ? "" : ",") + std::string(key) + "=" + text;
    };
    const std::string information = trimmed(dialog.getText(kInformationEdit[row]));
    if (scale == RowScale::TwoGroups && !information.empty()) {
        look = groupsLook(information);
    } else {
        add(scale == RowScale::InformationTime ? "t" : "n", information);
    }
    add(valueKey(dialog, row, scale), trimmed(dialog.getText(kValueEdit[row])));
    if (scale != RowScale::InformationTime) add("sd", trimmed(dialog.getText(kSdEdit[row])));
    return look;
}

// The looks of the design's rows up to the last one given; a blank row before it is refused.
// Rows beyond the design's looks, greyed, are not its looks.
std::vector<std::string> rowLooks(const Dialog& dialog, const TrialDesign& design) {
    const RowScale scale = rowScale(design);
    const std::size_t rows = std::min(design.plannedTimes.size(), kInformationEdit.size());
    std::vector<std::string> looks;
    std::size_t given = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        looks.push_back(rowLook(dialog, row, scale));
        if (!looks.back().empty()) given = row + 1;
    }
    looks.resize(given);
    for (std::size_t row = 0; row < given; ++row) {
        if (looks[row].empty())
            throw AnalysisInputError(lookName(row) +
                                     " is blank: give the looks in order, one in each row.");
    }
    return looks;
}

// The confidence as typed; none when it is the default, as the command line leaves it out.
struct Confidence {
    double level = 0.0;
    std::optional<std::string> typed;
};

Confidence confidenceOf(const Dialog& dialog, const TrialDesign& design) {
    const std::string typed = trimmed(dialog.getText(kConfidenceEdit));
    if (typed.empty() || typed == defaultConfidence(design)) return {defaultLevel(design), {}};
    double level = 0.0;
    if (!isOneNumber(typed) || readFree(typed, level) != ReadStatus::Ok)
        throw AnalysisInputError("The confidence \"" + typed +
                                 "\" is not one number: give the two-sided confidence of the "
                                 "interval, such as " +
                                 defaultConfidence(design) + ".");
    return {level, typed};
}

TrialAnalysis analysed(Platform& platform, const TrialDesign& design,
                       const std::vector<std::string>& looks, double level) {
    std::vector<LookInput> inputs;
    for (std::size_t k = 0; k < looks.size(); ++k)
        inputs.push_back(parseLook(looks[k], static_cast<int>(k + 1)));
    const BusyWhile busy(platform);
    return analyseTrial(design, inputs, level);
}

void clearRow(Dialog& dialog, std::size_t row) {
    for (int field : {kInformationEdit[row], kValueEdit[row], kSdEdit[row]})
        dialog.setText(field, "");
}

// A look's text ("n=6,sum=2,sd=1.1"; "n1=78,n2=78,diff=0.3") in its row's fields. Both means
// of a two-group look are shown as their difference.
void putLook(Dialog& dialog, std::size_t row, const std::string& look) {
    clearRow(dialog, row);
    std::string n1, n2;
    double mean1 = 0.0, mean2 = 0.0;
    bool means = false;
    std::size_t start = 0;
    while (start < look.size()) {
        const std::size_t comma = std::min(look.find(',', start), look.size());
        const std::string part = look.substr(start, comma - start);
        start = comma + 1;
        const std::size_t equals = part.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = part.substr(0, equals);
        const std::string value = part.substr(equals + 1);
        const auto kind = std::find(kValueKeys.begin(), kValueKeys.end(), key);
        if (key == "n" || key == "t") {
            dialog.setText(kInformationEdit[row], value);
        } else if (key == "n1" || key == "n2") {
            (key == "n1" ? n1 : n2) = value;
        } else if (key == "mean1" || key == "mean2") {
            means = readFree(value, key == "mean1" ? mean1 : mean2) == ReadStatus::Ok;
        } else if (key == "diff") {
            dialog.setInt(kKindCombo[row], kMeanKind);
            dialog.setText(kValueEdit[row], value);
        } else if (key == "sd") {
            dialog.setText(kSdEdit[row], value);
        } else if (kind != kValueKeys.end()) {
            dialog.setInt(kKindCombo[row], static_cast<int>(kind - kValueKeys.begin()));
            dialog.setText(kValueEdit[row], value);
        }
    }
    if (!n1.empty() || !n2.empty())
        dialog.setText(kInformationEdit[row], n1 + std::string(1, kGroupsSeparator) + n2);
    if (means) {
        dialog.setInt(kKindCombo[row], kMeanKind);
        dialog.setText(kValueEdit[row], formatFree(mean2 - mean1));
    }
}

// The rows of the design's looks open, those beyond greyed; on information time a look has no
// sd and its value is Z.
void showScale(Dialog& dialog, const TrialDesign& design) {
    const RowScale scale = rowScale(design);
    const bool onTime = scale == RowScale::InformationTime;
    const bool two = scale == RowScale::TwoGroups;
    dialog.setText(kScaleLabel, onTime ? kOnInformationTime : two ? kInTwoGroups : kOnGroupSizes);
    for (int heading : {kLeftHeadingLabel, kRightHeadingLabel})
        dialog.setText(heading, onTime ? "t" : two ? "n1+n2" : "n");
    const std::size_t looks = design.plannedTimes.size();
    for (std::size_t row = 0; row < kInformationEdit.size(); ++row) {
        const bool used = row < looks;
        dialog.setLogical(kInformationEdit[row], used, Index::Enabled);
        dialog.setLogical(kValueEdit[row], used, Index::Enabled);
        dialog.setLogical(kKindCombo[row], used && !onTime, Index::Enabled);
        dialog.setLogical(kSdEdit[row], used && !onTime, Index::Enabled);
        // A blank row starts as a sum again after a design on information time.
        // With two groups a row starts as the difference of the means, which has no sum.
        if (onTime || rowLook(dialog, row, RowScale::OneSample).empty())
            dialog.setInt(kKindCombo[row], onTime ? kZKind : two ? kMeanKind : kSumKind);
    }
}

// The default confidence of the design shown, unless the user typed another.
void showConfidence(TrialState& state, Dialog& dialog, const TrialDesign& design) {
    const std::string typed = trimmed(dialog.getText(kConfidenceEdit));
    const std::string now = defaultConfidence(design);
    if (typed.empty() || typed == state.defaultConfidence) dialog.setText(kConfidenceEdit, now);
    state.defaultConfidence = now;
}

void openTrialDialog(TrialContext& program) {
    Dialog& dialog = program.dialog(kTrialDialog);
    const TrialDesign design = trialDesignOf(program.record, program.sequential);
    showScale(dialog, design);
    showConfidence(program.trial, dialog, design);
    // An imported record is one sample's observations.
    const bool records = rowScale(design) == RowScale::OneSample && program.record.importCount > 0;
    dialog.setLogical(kRecordEdit, records, Index::Enabled);
    dialog.setLogical(kTakeLooks, records, Index::Enabled);
    if (!analysisCurrent(program)) dialog.setText(kResultEdit, "");
    program.platform.showModal(dialog);
}

// The record the user typed the number of; none, after a message, when there is no such record.
std::optional<int> typedRecord(TrialContext& program, const Dialog& dialog) {
    const int records = program.record.importCount;
    const std::string typed = trimmed(dialog.getText(kRecordEdit));
    int record = 0;
    if (isOneNumber(typed) && readFree(typed, record) == ReadStatus::Ok && record >= 1 &&
        record <= records)
        return record;
    program.error("Give the number of an imported record, 1 to " + std::to_string(records) +
                  ": \"" + typed + "\".");
    return std::nullopt;
}

// The rows of the design's cumulative sizes that the observations reach, each with their sum
// and the sd given (none when not above 0); the rows after them cleared.
void putRecordLooks(Dialog& dialog, const DesignRecord& r, std::span<const float> observations,
                    double sd) {
    double sum = 0.0;
    std::size_t taken = 0;
    for (std::size_t row = 0; row < kInformationEdit.size(); ++row) {
        const long long n = r.cumSize[row];
        if (row >= static_cast<std::size_t>(r.numLooks) || n < 1 ||
            n > static_cast<long long>(observations.size())) {
            clearRow(dialog, row);
            continue;
        }
        for (; taken < static_cast<std::size_t>(n); ++taken)
            sum += static_cast<double>(observations[taken]);
        dialog.setText(kInformationEdit[row], formatFree(n));
        dialog.setInt(kKindCombo[row], kSumKind);
        dialog.setText(kValueEdit[row], formatFree(sum));
        dialog.setText(kSdEdit[row], sd > 0.0 ? formatFree(sd) : "");
    }
}

// "Take Looks": the record's first n_k observations at each cumulative size of the design that
// the record reaches, as `qalix analyse --observ --record` takes them, with the record's
// estimate of sigma when the Import Samples dialog chose "Estimated".
void takeRecordLooks(TrialContext& program, Dialog& dialog) {
    const auto record = typedRecord(program, dialog);
    if (!record) return;
    const DesignRecord& r = program.record;
    const std::size_t at = slot(*record);
    const auto size = static_cast<std::size_t>(std::clamp(r.importSize[at], 0, kMaxImportSize));
    const std::span<const float> observations(r.importObs[at].data(), size);
    if (r.numLooks < 1 || r.cumSize[0] > static_cast<long long>(size)) {
        program.error("Record " + std::to_string(*record) + " holds " + std::to_string(size) +
                      " observations, fewer than the first look's " + std::to_string(r.cumSize[0]) +
                      ".");
        return;
    }
    const bool estimated = program.dialog(kImportDialog).getLogical(imports::kEstimatedRadio);
    putRecordLooks(dialog, r, observations, estimated ? estimatedSD(observations) : 0.0);
}

}  // namespace

void addTrialCommands(FrameCommands& commands, TrialContext& program) {
    commands.add({menu::kAnalyseTrial, kAnyMode, [&program] { openTrialDialog(program); },
                  [&program] {
                      return program.sequential.designComputed && !program.sequential.resultsStale;
                  }});
}

void attachTrialCallbacks(TrialContext& program) {
    Dialog& dialog = program.dialog(kTrialDialog);
    for (int combo : kKindCombo)
        dialog.setInt(combo, kSumKind);
    dialog.attach(kAnalyse, [&program](Dialog&, int, CallbackKind) { analyseLooks(program); });
    dialog.attach(kTakeLooks, [&program](Dialog& shown, int, CallbackKind) {
        takeRecordLooks(program, shown);
    });
}

bool analyseLooks(TrialContext& program) {
    if (!program.sequential.designComputed) return false;
    Dialog& dialog = program.dialog(kTrialDialog);
    const TrialDesign design = trialDesignOf(program.record, program.sequential);
    std::vector<std::string> looks;
    Confidence confidence;
    TrialAnalysis analysis;
    try {
        looks = rowLooks(dialog, design);
        confidence = confidenceOf(dialog, design);
        analysis = analysed(program.platform, design, looks, confidence.level);
    } catch (const AnalysisInputError& refused) {
        program.error(refused.what());
        return false;
    }
    dialog.setText(kResultEdit, analysisText(design, analysis));
    TrialState& state = program.trial;
    state.looks = std::move(looks);
    state.confidence = std::move(confidence.typed);
    state.analysis = analysis;
    state.designInputs = program.sequential.resultInputs;
    showObservedPath(program, analysis);
    drawBoundaryPicture(program);
    program.frame.refreshMenu();  // the analysis report can be written now
    return true;
}

void putLooks(TrialContext& program, const std::vector<std::string>& looks,
              const std::optional<std::string>& confidence) {
    Dialog& dialog = program.dialog(kTrialDialog);
    for (std::size_t row = 0; row < kInformationEdit.size(); ++row) {
        if (row < looks.size()) {
            putLook(dialog, row, looks[row]);
        } else {
            clearRow(dialog, row);
        }
    }
    const TrialDesign design = trialDesignOf(program.record, program.sequential);
    program.trial.defaultConfidence = defaultConfidence(design);
    dialog.setText(kConfidenceEdit, confidence.value_or(program.trial.defaultConfidence));
}

bool analysisCurrent(const TrialContext& program) {
    const SequentialState& s = program.sequential;
    return program.trial.analysis && s.designComputed && !s.resultsStale &&
           program.trial.designInputs == s.resultInputs;
}

void showObservedPath(PlotContext& program, const TrialAnalysis& analysis) {
    ObservedPath path;
    for (const AnalysedLook& look : analysis.looks) {
        path.looks.push_back({static_cast<float>(look.t),
                              static_cast<float>(look.z * std::sqrt(look.t)),
                              decisionKey(look.decision)});
    }
    path.designInputs = program.sequential.resultInputs;
    program.graphics.observed = std::move(path);
}

}  // namespace qalix
