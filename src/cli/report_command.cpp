// qalix report: the design report of a design given by options or by a design file, written
// as HTML, or as PDF by the document renderer.
#include <optional>

#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/design_options.hpp"
#include "cli/output.hpp"
#include "document/design_file.hpp"
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

// Writes the report; false, with the reason said on err, when it cannot be written.
bool writeReport(const CliOptions& o, const DesignInputs& inputs, const DesignFile* opened,
                 const DocumentRenderer& documents, std::ostream& err) {
    const ReportContent report = computeReport(requestOf(o, inputs, opened));
    return writeDocument(*o.output.out, reportHtml(report), report.request.paper == Paper::Letter,
                         documents, "report", err);
}

}  // namespace

int runReport(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session&) {
        const std::optional<DesignFile> opened = openedDesign(o.inputs);
        const DesignInputs inputs = opened ? openedInputs(*opened, o) : givenInputs(o.inputs, true);
        return writeReport(o, inputs, opened ? &*opened : nullptr, c.documents, c.err) ? 0 : 1;
    });
}

}  // namespace qalix
