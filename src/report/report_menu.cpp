#include "report/report_menu.hpp"

#include "design/design_record.hpp"
#include "io/files.hpp"
#include "numeric/number_text.hpp"
#include "report/report_html.hpp"
#include "report/report_ids.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

FileRequest documentRequest() {
    return {{{"HTML documents (*.html)", "*.html"}, {"PDF documents (*.pdf)", "*.pdf"}},
            "html",
            {},
            true};
}

bool saveDocument(Platform& platform, const std::string& path, const std::string& html, Paper paper,
                  std::string& reason) {
    if (io::lowercaseExtension(path) == ".pdf")
        return platform.saveDocumentPdf(path, html, paper == Paper::Letter, reason);
    const auto failed = io::saveFile(path, html);
    if (failed) reason = failed->reason;  // the message names the path
    return !failed;
}

std::string documentTarget(const std::string& chosen) {
    const std::string extension = io::lowercaseExtension(chosen);
    return extension == ".pdf" || extension == ".html" ? chosen : chosen + ".html";
}

// The further means as typed: numbers separated by commas; none when a part is not one.
std::optional<std::vector<std::string>> furtherMeans(const std::string& typed) {
    std::vector<std::string> means;
    if (trimmed(typed).empty()) return means;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = typed.find(',', start);
        const std::string mean = trimmed(typed.substr(start, end - start));
        if (!isOneNumber(mean)) return std::nullopt;
        means.push_back(mean);
        if (end == std::string::npos) return means;
        start = end + 1;
    }
}

ReportMenu::ReportMenu(Program& program, DesignMenu& designs)
    : program_(program), designs_(designs) {
    if (!program.dialogs().has(kReportDialog)) program.dialogs().init(kReportDialog);
    program.frame().commands().add({menu::kDesignReport, kAnyMode, [this] { writeReport(); },
                                    [&program] { return program.sequential().designComputed; }});
}

std::optional<ReportRequest> ReportMenu::askForChoices(const DesignSnapshot& design) {
    Dialog& dialog = program_.dialog(kReportDialog);
    const auto file = designs_.fileOf(design);
    if (file) {
        dialog.setText(reportdialog::kTitle, file->title);
        dialog.setText(reportdialog::kNotes, file->notes);
    }
    if (dialog.getText(reportdialog::kPaper).empty()) dialog.setText(reportdialog::kPaper, "A4");
    dialog.setText(reportdialog::kMeansScale, isBrownianKey(design.design)
                                                  ? "true means delta, separated by commas"
                                                  : "true means mu, separated by commas");
    for (;;) {
        if (program_.platform().showModal(dialog) != kIdOk) return std::nullopt;
        const auto means = furtherMeans(dialog.getText(reportdialog::kMeans));
        if (!means) {
            program_.error("The further means must be numbers separated by commas: \"" +
                           dialog.getText(reportdialog::kMeans) + "\".");
            continue;
        }
        ReportRequest request;
        request.inputs = design.inputs;
        request.title = dialog.getText(reportdialog::kTitle);
        request.notes = dialog.getText(reportdialog::kNotes);
        request.paper =
            dialog.getText(reportdialog::kPaper) == "Letter" ? Paper::Letter : Paper::A4;
        request.extraMeans = *means;
        if (file) request.designFileHash = file->sha256;
        return request;
    }
}

void ReportMenu::writeReport() {
    const auto design = designs_.shownDesign({true, false, false});
    if (!design) return;
    const auto request = askForChoices(*design);
    if (!request) return;
    Platform& platform = program_.platform();
    const FileChoice choice = platform.saveFile(documentRequest());
    if (!acceptedOrReported(platform, choice)) return;
    const std::string path = documentTarget(choice.path);
    ReportContent report;
    try {
        const BusyWhile busy(platform);
        report = computeReport(*request);
    } catch (const MessageShown& shown) {
        program_.error("The report cannot be made: " + shown.message.text);
        return;
    }
    std::string reason;
    if (!saveDocument(platform, path, reportHtml(report), request->paper, reason)) {
        program_.error("Cannot save the report " + path + ": " + reason);
        return;
    }
    platform.openDocument(path);
}

}  // namespace qalix
