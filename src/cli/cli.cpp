#include "cli/cli.hpp"

#include <optional>
#include <string>

#include "cli/compare_command.hpp"
#include "cli/design_files.hpp"
#include "cli/file_roles.hpp"
#include "cli/options.hpp"
#include "cli/output.hpp"
#include "cli/plot_command.hpp"
#include "cli/report_command.hpp"
#include "cli/samples_commands.hpp"
#include "document/capture.hpp"
#include "document/design_command.hpp"
#include "document/design_inputs.hpp"
#include "document/session.hpp"

namespace qalix {

namespace {

// Enters the design as the user would and reads back what the program shows, the inputs
// completed with what the panel shows.
DesignSnapshot designSnapshot(Session& s, const CliOptions& o, const DesignInputs& inputs,
                              const DesignFile* opened) {
    const bool design = o.command == kDesignCommand;
    CaptureParts parts;
    parts.sequential = o.command != kFixedCommand;
    // An opened file's results are compared in full: what it holds is computed again.
    const OutputOptions& output = o.output;
    parts.boundaries = design && (output.lookDetails || output.saveDesign || output.csv || opened);
    parts.curves =
        output.curves || output.curvesCsv || (opened && opened->derived.contains("powerFunction"));
    DesignInputs captured = inputs;
    if (!design) captured.means.reset();  // only the design command reports them
    return computeSnapshot(s, captured, parts);
}

// The output the options ask for: the boundaries and curves a file needed only when asked.
Json outputOf(DesignSnapshot snapshot, const OutputOptions& o) {
    if (!o.lookDetails) snapshot.boundaries.clear();
    if (!o.curves) {
        snapshot.curves = false;
        snapshot.powerFunction.clear();
        snapshot.expectedInformation.clear();
    }
    return snapshotJson(snapshot);
}

int run(const CliOptions& o, std::ostream& out, std::ostream& err, const PictureRenderer& renderer,
        const DocumentRenderer& documents) {
    Session s(renderer);
    s.platform().echoConsole(&err);  // keeps the warning line out of the JSON on out
    s.printNotices(&err);
    try {
        s.start();
        const std::optional<DesignFile> opened =
            o.inputs.openDesign ? std::optional(readDesignFile(*o.inputs.openDesign))
                                : std::nullopt;
        const DesignInputs inputs = opened ? openedInputs(*opened, o) : givenInputs(o);
        if (o.command == kReportCommand)
            return writeReport(o, inputs, opened ? &*opened : nullptr, documents, err) ? 0 : 1;
        const DesignSnapshot snapshot = designSnapshot(s, o, inputs, opened ? &*opened : nullptr);
        if (o.output.printCommand) {
            out << designCommand(snapshot.inputs) << '\n';
            return 0;
        }
        Json report = outputOf(snapshot, o.output);
        if (o.command == kDesignCommand) {
            if (!writeDesignFiles(o.output, snapshot, err)) return 1;
            // Options given with the file change its design: its results are not these.
            if (opened && !changesInputs(o)) {
                if (const auto notice = resultsDiffer(*opened, snapshotJson(snapshot)))
                    err << "Design File: " << *notice << '\n';
            }
        }
        if (o.command == kSimulateCommand) {
            runSimulate(s, o, report, out);
            return 0;
        }
        if (o.command == kImportCommand) runImport(s, o.samples, report);
        if (o.command == kPlotCommand) {
            runPlot(s, o);
            return 0;
        }
        if (o.output.json) {
            writeJson(report, out);
        } else {
            writeText(report, out);
        }
        return 0;
    } catch (const MessageShown& shown) {
        err << shown.message.caption << ": " << shown.message.text << '\n';
        return 1;
    } catch (const ControlRefused& refused) {
        err << "qalix: " << refused.what() << '\n';
        return 1;
    } catch (const DesignFileError& e) {
        err << "Error: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PictureRenderer& renderer, const DocumentRenderer& documents) {
    try {
        const CliOptions options = parseOptions(args);
        if (options.help) {
            out << helpText(options.command);
            return 0;
        }
        refuseClashingFiles(options);
        if (options.command == kCompareCommand) return runCompare(options, out, err, documents);
        return run(options, out, err, renderer, documents);
    } catch (const UsageError& e) {
        err << "qalix: " << e.what() << '\n' << kUsage << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "qalix: " << e.what() << '\n' << kUsage << '\n';
        return 2;
    }
}

}  // namespace qalix
