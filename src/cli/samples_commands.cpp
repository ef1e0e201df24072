#include "cli/samples_commands.hpp"

#include <cmath>
#include <limits>
#include <map>

#include "cli/output.hpp"
#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "document/capture.hpp"
#include "numeric/number_text.hpp"
#include "samples/import_ids.hpp"
#include "samples/sample_files.hpp"
#include "samples/simulation_ids.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using SetFields = std::map<std::string, std::string>;

// "mu=0.5,n=20" as its fields; a usage error for anything else.
SetFields parseSet(const std::string& text, bool onInformationTime) {
    SetFields fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t equals = part.find('=');
        const std::string key = part.substr(0, equals);
        if (equals == std::string::npos || (key != "mu" && key != "delta" && key != "n"))
            throw UsageError("--set takes mu=T, delta=T and n=N, separated by commas: " + text);
        const std::string value = part.substr(equals + 1);
        if (!fields.emplace(key, value).second)
            throw UsageError("--set gives " + key + " twice: " + text);
        const bool valid =
            key == "n" ? wholeNumber(value, 0, UINT64_MAX).has_value() : isOneNumber(value);
        if (!valid) {
            throw UsageError("--set takes " +
                             std::string(key == "n" ? "a whole number" : "one number") + " for " +
                             key + ": " + text);
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (onInformationTime && fields.count("mu"))
        throw UsageError("--set mu has no use on information time: give delta alone");
    if (fields.count("mu") && fields.count("delta"))
        throw UsageError("--set takes mu or delta, not both: the other follows from it");
    if (!fields.count("mu") && !fields.count("delta"))
        throw UsageError("--set needs a true mean, mu or delta: " + text);
    return fields;
}

void selectSet(Session& s, const SetFields& fields) {
    using namespace simulation;
    for (const auto& [key, combo] :
         {std::pair{"mu", kMuCombo}, std::pair{"delta", kDeltaCombo}, std::pair{"n", kSizeCombo}}) {
        const auto it = fields.find(key);
        if (it == fields.end()) continue;
        s.act([&, combo = combo](Driver& ui) { ui.type(kSimulationDialog, combo, it->second); });
    }
    s.act([](Driver& ui) { ui.click(kSimulationDialog, kSelectSet); });
}

void reportSets(Session& s, Json& report, const std::string& lines) {
    const DesignRecord& r = s.program().record();
    const SamplesState& state = s.program().samples();
    Json& simulation = report["simulation"];
    simulation["seed"] = state.lastSeed;
    Json& sets = simulation["sets"] = Json::array();
    for (int set = 1; set <= r.simRecordCount; ++set) {
        const auto i = static_cast<std::size_t>(set - 1);
        sets.push_back({{"set", set},
                        {"mu", r.simMean[i]},
                        {"delta", r.simDelta[i]},
                        {"n", r.simSize[i]},
                        {"observations", state.drawn[i]}});
    }
    Json& texts = simulation["lines"] = Json::array();
    std::size_t start = 0;
    for (std::size_t end = lines.find('\n'); end != std::string::npos;
         start = end + 1, end = lines.find('\n', start)) {
        texts.push_back(lines.substr(start, end - start));
    }
}

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

int importCommandOf(const std::string& kind) {
    if (kind == "Simu") return menu::kImportSimulated;
    if (kind == "Observ") return menu::kImportObserved;
    return menu::kImportVariableNames;
}

}  // namespace

void simulateSets(Session& s, const CliOptions& o) {
    const bool onInformationTime = o.inputs.design == kBrownianKey;
    std::vector<SetFields> sets;
    for (const std::string& text : o.samples.sets)
        sets.push_back(parseSet(text, onInformationTime));
    if (o.samples.seed) s.program().samples().fixedSeed = *o.samples.seed;
    s.act([](Driver& ui) { ui.click(panel::kSimulatedSamples); });
    for (const SetFields& fields : sets)
        selectSet(s, fields);
    s.act([](Driver& ui) { ui.click(kSimulationDialog, simulation::kSimulate); });
}

void importFiles(Session& s, const SampleOptions& o) {
    s.act([](Driver& ui) { ui.click(panel::kTextWindow); });
    for (const ImportFile& file : o.files) {
        s.platform().answerOpenFile({DialogOutcome::Accepted, file.path, 0});
        s.act([&](Driver&) { s.program().frame().command(importCommandOf(file.kind)); });
    }
    if (!o.select) return;
    const DesignRecord& r = s.program().record();
    if (!r.importAvailable)
        throw UsageError("--select needs samples imported: names alone hold none");
    s.act([](Driver& ui) { ui.click(panel::kImportedSamples); });
    for (const std::string& text : *o.select) {
        int record = 0;
        if (readFree(text, record) != ReadStatus::Ok || record < 1 || record > r.importCount) {
            throw UsageError("--select takes records from 1 to " + std::to_string(r.importCount) +
                             ": " + text);
        }
        s.act([&](Driver& ui) { ui.spin(kImportDialog, imports::kRecordSpin, record); });
        s.act([](Driver& ui) { ui.click(kImportDialog, imports::kSelectSet); });
    }
}

void runSimulate(Session& s, const CliOptions& o, Json& report, std::ostream& out) {
    simulateSets(s, o);
    const auto lines = simulationText(s.program().record(), s.program().samples());
    if (o.output.out) {
        // What "Save Simulation" does in the text window, for the file chosen.
        s.act([](Driver& ui) { ui.click(panel::kTextWindow); });
        s.platform().answerSaveFile({DialogOutcome::Accepted, *o.output.out, 0});
        s.act([&](Driver&) { s.program().frame().command(menu::kSaveSimulation); });
    }
    if (o.output.json) {
        reportSets(s, report, lines.value_or(""));
        writeJson(report, out);
    } else if (!o.output.out) {
        out << lines.value_or("");
    }
}

void runImport(Session& s, const SampleOptions& o, Json& report) {
    importFiles(s, o);
    const DesignRecord& r = s.program().record();
    Json& imported = report["imported"];
    imported["count"] = r.importCount;
    imported["available"] = r.importAvailable ? "yes" : "no";
    Json& records = imported["records"] = Json::array();
    if (!r.importAvailable) return;  // names alone: there are no samples to select
    if (!o.select) s.act([](Driver& ui) { ui.click(panel::kImportedSamples); });
    imported["selected"] = r.selectedSetCount;
    for (int record = 1; record <= r.importCount; ++record)
        records.push_back(importedRecord(s, record));
}

}  // namespace qalix
