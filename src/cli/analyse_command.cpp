// qalix analyse: the looks a trial took, analysed on its design (given by options or by a design
// file, whose own looks come first): the table of the looks and the inference at the end, as
// text or JSON; the looks as CSV, the analysis as a document, the design file with its looks.
#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/trial_analysis.hpp"
#include "analysis/trial_design.hpp"
#include "analysis/trial_dialog.hpp"
#include "analysis/trial_text.hpp"
#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/design_options.hpp"
#include "cli/output.hpp"
#include "design/allocation.hpp"
#include "design/panel_ids.hpp"
#include "document/analysis_json.hpp"
#include "document/capture.hpp"
#include "document/design_command.hpp"
#include "document/design_file.hpp"
#include "io/files.hpp"
#include "io/sha256.hpp"
#include "report/analysis_html.hpp"
#include "report/analysis_plot.hpp"
#include "samples/import_selection.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

// The record of the Observ file, imported as the Data menu imports it, as looks at the design's
// cumulative sizes (or those asked for) that the record reaches.
std::vector<std::string> recordLooks(Session& s, const AnalysisOptions& a) {
    s.act([](Driver& ui) { ui.click(panel::kTextWindow); });
    s.platform().answerOpenFile({DialogOutcome::Accepted, *a.observFile, 0});
    s.act([&](Driver&) { s.program().frame().command(menu::kImportObserved); });
    const DesignRecord& r = s.program().record();
    if (twoGroups(r)) {
        throw UsageError(
            "an Observ file holds one sample's observations: give a two-group trial's looks "
            "with --observed n1=N,n2=N,mean1=X,mean2=Y");
    }
    if (*a.record < 1 || static_cast<int>(*a.record) > r.importCount) {
        throw UsageError("--record takes a record of the file, from 1 to " +
                         std::to_string(r.importCount) + ": " + std::to_string(*a.record));
    }
    const auto i = static_cast<std::size_t>(*a.record - 1);
    std::vector<long long> sizes;
    if (a.at) {
        for (const std::string& n : *a.at)
            sizes.push_back(std::stoll(n));
    } else {
        for (int k = 0; k < r.numLooks; ++k)
            sizes.push_back(r.cumSize[static_cast<std::size_t>(k)]);
    }
    const bool estimated = a.recordSd.value_or("design") == "estimated";
    // Estimated from the record's own observations, as the Import Samples dialog estimates it.
    const double estimate = estimatedSD(std::span<const float>(
        r.importObs[i].data(), static_cast<std::size_t>(std::max(r.importSize[i], 0))));
    if (estimated && !(estimate > 0.0)) {
        throw UsageError(
            "--record-sd estimated needs a record of at least two observations "
            "that are not all equal");
    }
    std::vector<std::string> looks;
    double sum = 0.0;
    long long taken = 0;
    for (const long long n : sizes) {
        if (n < 1 || n > r.importSize[i]) break;  // the record has not reached this look yet
        for (; taken < n; ++taken)
            sum += static_cast<double>(r.importObs[i][static_cast<std::size_t>(taken)]);
        std::string look = "n=" + std::to_string(n) + ",sum=" + formatFree(sum);
        if (estimated) look += ",sd=" + formatFree(estimate);
        looks.push_back(std::move(look));
    }
    return looks;
}

// The looks: a design file's first, then those given; or those of the record.
TrialRecord trialOf(Session& s, const CliOptions& o, const std::optional<DesignFile>& opened) {
    TrialRecord trial;
    if (opened && opened->trial) trial = *opened->trial;
    if (o.analysis.observFile) {
        trial.looks = recordLooks(s, o.analysis);
    } else {
        trial.looks.insert(trial.looks.end(), o.analysis.observed.begin(),
                           o.analysis.observed.end());
    }
    if (o.analysis.confidence) trial.confidence = o.analysis.confidence;
    return trial;
}

// 1 - 2 alpha unless chosen: each bound then one-sided at the design's own level.
double confidenceOf(const TrialRecord& trial, const TrialDesign& design) {
    double value = 1.0 - 2.0 * design.nominalLevel;
    if (trial.confidence) readFree(*trial.confidence, value);
    return value;
}

std::string fileHash(const std::optional<std::string>& path) {
    if (!path) return {};
    const io::ReadResult read = io::readFile(*path, kDesignFileBytes);
    return read ? io::sha256Hex(*read.bytes) : std::string();
}

bool writeFiles(const CliOptions& o, const DesignSnapshot& snapshot, const TrialRecord& trial,
                const AnalysisDocument& document, const CommandContext& c) {
    const OutputOptions& out = o.output;
    if (out.saveDesign &&
        !saveText(designFileTarget(*out.saveDesign),
                  designFileText(snapshot, out.title.value_or(""), out.notes.value_or(""), &trial),
                  c.err))
        return false;
    if (out.csv && !saveText(out.csv, csvOf(analysisRows(document.analysis)), c.err)) return false;
    return !out.out ||
           writeDocument(*out.out, analysisHtml(document), document.paper == Paper::Letter,
                         c.documents, "analysis", c.err);
}

}  // namespace

int runAnalyse(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session& s) {
        const std::optional<DesignFile> opened = openedDesign(o.inputs);
        const DesignInputs inputs = opened ? openedInputs(*opened, o) : givenInputs(o.inputs, true);
        const DesignSnapshot snapshot =
            computeSnapshot(s, inputs, CaptureParts{.boundaries = true});
        const TrialDesign design = trialDesignOf(s.program().record(), s.program().sequential());
        const TrialRecord trial = trialOf(s, o, opened);
        const std::string command =
            analysisCommand(completeInputs(snapshot), trial.looks, trial.confidence);
        if (o.output.printCommand) {
            c.out << command << '\n';
            return 0;
        }
        AnalysisDocument document;
        try {
            std::vector<LookInput> looks;
            for (std::size_t k = 0; k < trial.looks.size(); ++k)
                looks.push_back(parseLook(trial.looks[k], static_cast<int>(k + 1)));
            document.analysis = analyseTrial(design, looks, confidenceOf(trial, design));
        } catch (const AnalysisInputError& refused) {
            c.err << "Error: " << refused.what() << '\n';
            return 1;
        }
        document.title = o.output.title.value_or(opened ? opened->title : std::string());
        document.notes = o.output.notes.value_or(opened ? opened->notes : std::string());
        document.paper = o.output.paper.value_or("a4") == "letter" ? Paper::Letter : Paper::A4;
        document.command = command;
        document.designFileHash = fileHash(o.inputs.openDesign);
        document.design = snapshot;
        document.trial = design;
        if (o.output.out) {
            showObservedPath(s.program(), document.analysis);
            document.boundaryPlot = boundaryPlotSvg(s);
        }
        if (!writeFiles(o, snapshot, trial, document, c)) return 1;
        if (o.output.json) {
            Json output = snapshotJson(snapshot);
            output["analysis"] = analysisJson(design, document.analysis);
            writeJson(output, c.out);
        } else {
            c.out << analysisText(design, document.analysis);
        }
        return 0;
    });
}

}  // namespace qalix
