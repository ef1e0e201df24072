#include "report/report_menu.hpp"

#include "io/files.hpp"
#include "report/report_html.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

FileRequest reportRequest() {
    return {{{"HTML documents (*.html)", "*.html"}, {"PDF documents (*.pdf)", "*.pdf"}},
            "html",
            {},
            true};
}

// The report written as the name's type says: PDF by the platform's painter, else HTML.
bool saved(Platform& platform, const std::string& path, const std::string& html,
           std::string& reason) {
    if (io::lowercaseExtension(path) == ".pdf")
        return platform.saveDocumentPdf(path, html, false, reason);
    const auto failed = io::saveFile(path, html);
    if (failed) reason = failed->reason;  // the message names the path
    return !failed;
}

// A name without either extension gets ".html".
std::string reportTarget(const std::string& chosen) {
    const std::string extension = io::lowercaseExtension(chosen);
    return extension == ".pdf" || extension == ".html" ? chosen : chosen + ".html";
}

}  // namespace

ReportMenu::ReportMenu(Program& program, DesignMenu& designs)
    : program_(program), designs_(designs) {
    program.frame().commands().add({menu::kDesignReport, kAnyMode, [this] { writeReport(); },
                                    [&program] { return program.sequential().designComputed; }});
}

void ReportMenu::writeReport() {
    const auto design = designs_.shownDesign({true, false, false});
    if (!design) return;
    Platform& platform = program_.platform();
    const FileChoice choice = platform.saveFile(reportRequest());
    if (!acceptedOrReported(platform, choice)) return;
    const std::string path = reportTarget(choice.path);
    ReportRequest request;
    request.inputs = design->inputs;
    ReportContent report;
    try {
        const BusyWhile busy(platform);
        report = computeReport(request);
    } catch (const MessageShown& shown) {
        program_.error("The report cannot be made: " + shown.message.text);
        return;
    }
    std::string reason;
    if (!saved(platform, path, reportHtml(report), reason)) {
        program_.error("Cannot save the report " + path + ": " + reason);
        return;
    }
    platform.openDocument(path);
}

}  // namespace qalix
