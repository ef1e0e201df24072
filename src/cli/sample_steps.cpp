#include "cli/sample_steps.hpp"

#include <map>

#include "design/panel_ids.hpp"
#include "numeric/number_text.hpp"
#include "samples/import_ids.hpp"
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

int importCommandOf(const std::string& kind) {
    if (kind == "Simu") return menu::kImportSimulated;
    if (kind == "Observ") return menu::kImportObserved;
    return menu::kImportVariableNames;
}

}  // namespace

void simulateSets(Session& s, const SampleOptions& o, bool onInformationTime) {
    std::vector<SetFields> sets;
    for (const std::string& text : o.sets)
        sets.push_back(parseSet(text, onInformationTime));
    if (o.seed) s.program().samples().fixedSeed = *o.seed;
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

}  // namespace qalix
