#include "report/analysis_menu.hpp"

#include "analysis/trial_design.hpp"
#include "analysis/trial_dialog.hpp"
#include "analysis/trial_dialog_ids.hpp"
#include "document/capture.hpp"
#include "document/design_command.hpp"
#include "numeric/number_text.hpp"
#include "report/analysis_plot.hpp"
#include "report/analysis_report_ids.hpp"
#include "report/report_menu.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

// 1 - 2 alpha unless the looks' record gives it, as `qalix analyse` takes --confidence.
double confidenceLevel(const TrialRecord& looks, const TrialDesign& design) {
    double level = 1.0 - 2.0 * design.nominalLevel;
    if (looks.confidence) readFree(*looks.confidence, level);
    return level;
}

}  // namespace

AnalysisDocument analysisDocument(const DesignInputs& inputs, const TrialRecord& looks) {
    Session s;
    s.start();
    AnalysisDocument document;
    document.design = computeSnapshot(s, inputs, CaptureParts{.boundaries = true});
    document.trial = trialDesignOf(s.program().record(), s.program().sequential());
    document.command =
        analysisCommand(completeInputs(document.design), looks.looks, looks.confidence);
    std::vector<LookInput> parsed;
    for (std::size_t k = 0; k < looks.looks.size(); ++k)
        parsed.push_back(parseLook(looks.looks[k], static_cast<int>(k + 1)));
    document.analysis =
        analyseTrial(document.trial, parsed, confidenceLevel(looks, document.trial));
    showObservedPath(s.program(), document.analysis);
    document.boundaryPlot = boundaryPlotSvg(s);
    return document;
}

AnalysisMenu::AnalysisMenu(Program& program, DesignMenu& designs)
    : program_(program), designs_(designs) {
    DialogSet& dialogs = program.dialogs();
    for (int id : {kTrialDialog, kAnalysisReportDialog}) {
        if (!dialogs.has(id)) dialogs.init(id);
    }
    program.dialog(kTrialDialog)
        .attach(trialdialog::kCopyCommand, [this](Dialog&, int, CallbackKind) { copyCommand(); });
    program.frame().commands().add({menu::kAnalysisReport, kAnyMode, [this] { writeReport(); },
                                    [&program] { return analysisCurrent(program); }});
}

void AnalysisMenu::copyCommand() {
    if (!analyseLooks(program_)) return;
    const auto design = designs_.shownDesign({true, false, false});
    if (!design) return;
    const TrialState& trial = program_.trial();
    const std::string command =
        analysisCommand(completeInputs(*design), trial.looks, trial.confidence);
    program_.platform().copyText(command);
    if (program_.frame().hasTextWindow()) program_.frame().insertText(command);
}

bool AnalysisMenu::askForChoices(const DesignSnapshot& design, AnalysisDocument& document) {
    Dialog& dialog = program_.dialog(kAnalysisReportDialog);
    const auto file = designs_.fileOf(design);
    if (file) {
        dialog.setText(analysisreport::kTitle, file->title);
        dialog.setText(analysisreport::kNotes, file->notes);
        document.designFileHash = file->sha256;
    }
    if (dialog.getText(analysisreport::kPaper).empty())
        dialog.setText(analysisreport::kPaper, "A4");
    if (program_.platform().showModal(dialog) != kIdOk) return false;
    document.title = dialog.getText(analysisreport::kTitle);
    document.notes = dialog.getText(analysisreport::kNotes);
    document.paper = dialog.getText(analysisreport::kPaper) == "Letter" ? Paper::Letter : Paper::A4;
    return true;
}

void AnalysisMenu::writeReport() {
    const auto design = designs_.shownDesign({true, false, false});
    if (!design) return;
    AnalysisDocument choices;
    if (!askForChoices(*design, choices)) return;
    Platform& platform = program_.platform();
    const FileChoice choice = platform.saveFile(documentRequest());
    if (!acceptedOrReported(platform, choice)) return;
    const std::string path = documentTarget(choice.path);
    const TrialState& trial = program_.trial();
    AnalysisDocument document;
    try {
        const BusyWhile busy(platform);
        document = analysisDocument(design->inputs, {trial.looks, trial.confidence});
    } catch (const MessageShown& shown) {
        program_.error("The analysis report cannot be made: " + shown.message.text);
        return;
    } catch (const AnalysisInputError& refused) {
        program_.error(std::string("The analysis report cannot be made: ") + refused.what());
        return;
    }
    document.title = choices.title;
    document.notes = choices.notes;
    document.paper = choices.paper;
    document.designFileHash = choices.designFileHash;
    std::string reason;
    if (!saveDocument(platform, path, analysisHtml(document), document.paper, reason)) {
        program_.error("Cannot save the analysis report " + path + ": " + reason);
        return;
    }
    platform.openDocument(path);
}

}  // namespace qalix
