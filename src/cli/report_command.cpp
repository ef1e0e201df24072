#include "cli/report_command.hpp"

#include "io/files.hpp"
#include "io/sha256.hpp"
#include "report/report_html.hpp"

namespace qalix {

namespace {

// The hash of the file's bytes as they are now: those the report was made from.
std::string fileHash(const std::string& path) {
    const io::ReadResult read = io::readFile(path, kDesignFileBytes);
    return read ? io::sha256Hex(*read.bytes) : std::string();
}

ReportRequest requestOf(const CliOptions& o, const DesignInputs& inputs, const DesignFile* opened) {
    ReportRequest request;
    request.inputs = inputs;
    request.title = o.output.title.value_or(opened != nullptr ? opened->title : std::string());
    request.notes = o.output.notes.value_or(opened != nullptr ? opened->notes : std::string());
    if (opened != nullptr && o.inputs.openDesign)
        request.designFileHash = fileHash(*o.inputs.openDesign);
    request.extraMeans = o.report.means;
    request.appendix = o.report.appendix;
    request.paper = o.output.paper.value_or("a4") == "letter" ? Paper::Letter : Paper::A4;
    return request;
}

}  // namespace

bool writeDocument(const std::string& path, const std::string& html, bool letter,
                   const DocumentRenderer& documents, std::string_view what, std::ostream& err) {
    if (io::lowercaseExtension(path) == ".pdf") {
        std::string reason =
            "this qalix was built without the desktop libraries that write PDF; "
            "write the " +
            std::string(what) + " as FILE.html instead";
        if (!documents || !documents(path, html, letter, reason)) {
            err << "Error: Cannot write the " << what << " " << path << ": " << reason << '\n';
            return false;
        }
        return true;
    }
    if (const auto failed = io::saveFile(path, html)) {
        err << "Error: Cannot save the file " << failed->describe() << '\n';
        return false;
    }
    return true;
}

bool writeReport(const CliOptions& o, const DesignInputs& inputs, const DesignFile* opened,
                 const DocumentRenderer& documents, std::ostream& err) {
    const ReportContent report = computeReport(requestOf(o, inputs, opened));
    return writeDocument(*o.output.out, reportHtml(report), report.request.paper == Paper::Letter,
                         documents, "report", err);
}

}  // namespace qalix
