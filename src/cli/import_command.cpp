// qalix import: sample files imported in order through the text window's Data menu, then the
// imported records as the selection dialog shows them.
#include <cmath>

#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/output.hpp"
#include "cli/sample_steps.hpp"
#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "document/capture.hpp"
#include "samples/import_ids.hpp"

namespace qalix {

namespace {

// A shown SD and the number behind it: none where the dialog shows "?".
Json shownSd(Session& s, int control, double value) {
    return shownJson(shownField(s.ui().text(kImportDialog, control), value));
}

// The record the selection dialog shows, on both SD radios.
Json importedRecord(Session& s, int record) {
    using namespace imports;
    const DesignRecord& r = s.program().record();
    const auto i = static_cast<std::size_t>(record - 1);
    s.act([&](Driver& ui) { ui.spin(kImportDialog, kRecordSpin, record); });
    Json entry = Json::object();
    entry["record"] = record;
    entry["name"] = s.ui().text(kImportDialog, kVarNameEdit);
    entry["size"] = r.importSize[i];
    // The Brownian scale divides an SD by sqrt(N), N the sample size rounded up.
    const double rootN = std::sqrt(static_cast<double>(roundedUp(r.sampleSize, kRoundUp6)));
    s.act([](Driver& ui) { ui.click(kImportDialog, kAssumedRadio); });
    entry["assumedSD"] = shownSd(s, kAssumedMuEdit, r.importSD[i]);
    entry["assumedSDDelta"] = shownSd(s, kAssumedDeltaEdit, r.importSD[i] / rootN);
    s.act([](Driver& ui) { ui.click(kImportDialog, kEstimatedRadio); });
    entry["estimatedSD"] = shownSd(s, kEstimatedMuEdit, r.importEstSD[i]);
    entry["estimatedSDDelta"] = shownSd(s, kEstimatedDeltaEdit, r.importEstSD[i] / rootN);
    return entry;
}

// The imported records, each as the selection dialog shows it, added to the output.
void addImported(Session& s, const SampleOptions& o, Json& output) {
    const DesignRecord& r = s.program().record();
    Json& imported = output["imported"];
    imported["count"] = r.importCount;
    imported["available"] = r.importAvailable ? "yes" : "no";
    Json& records = imported["records"] = Json::array();
    if (!r.importAvailable) return;  // names alone: there are no samples to select
    if (!o.select) s.act([](Driver& ui) { ui.click(panel::kImportedSamples); });
    imported["selected"] = r.selectedSetCount;
    for (int record = 1; record <= r.importCount; ++record)
        records.push_back(importedRecord(s, record));
}

}  // namespace

int runImport(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session& s) {
        Json output = outputOf(sequentialDesign(s, o.inputs), o.output);
        importFiles(s, o.samples);
        addImported(s, o.samples, output);
        printOutput(output, o.output, c.out);
        return 0;
    });
}

}  // namespace qalix
