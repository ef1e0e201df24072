// qalix design: a sequential design with its operating characteristics, given by options or by
// a design file whose results are checked against those computed again; the design file, the
// tables and the command that reproduces it.
#include <optional>

#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/design_options.hpp"
#include "cli/output.hpp"
#include "document/capture.hpp"
#include "document/design_command.hpp"
#include "document/design_file.hpp"
#include "document/design_tables.hpp"

namespace qalix {

namespace {

// Enters the design as the user would and reads back what the program shows, the inputs
// completed with what the panel shows. An opened file's results are compared in full: what it
// holds is computed again.
DesignSnapshot designSnapshot(Session& s, const OutputOptions& o, const DesignInputs& inputs,
                              const DesignFile* opened) {
    CaptureParts parts;
    parts.boundaries = o.lookDetails || o.saveDesign || o.csv || opened;
    parts.curves = o.curves || o.curvesCsv || (opened && opened->derived.contains("powerFunction"));
    return computeSnapshot(s, inputs, parts);
}

// Writes the design file and the tables the options ask for; says on err which file could not
// be written, and returns false then.
bool writeDesignFiles(const OutputOptions& o, const DesignSnapshot& snapshot, std::ostream& err) {
    if (o.saveDesign &&
        !saveText(designFileTarget(*o.saveDesign),
                  designFileText(snapshot, o.title.value_or(""), o.notes.value_or("")), err)) {
        return false;
    }
    if (o.csv && !saveText(o.csv, boundariesCsv(snapshot), err)) return false;
    return !o.curvesCsv || saveText(o.curvesCsv, curvesCsv(snapshot), err);
}

}  // namespace

int runDesign(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session& s) {
        const std::optional<DesignFile> opened = openedDesign(o.inputs);
        const DesignInputs inputs = opened ? openedInputs(*opened, o) : givenInputs(o.inputs, true);
        const DesignSnapshot snapshot =
            designSnapshot(s, o.output, inputs, opened ? &*opened : nullptr);
        if (o.output.printCommand) {
            c.out << designCommand(snapshot.inputs) << '\n';
            return 0;
        }
        if (!writeDesignFiles(o.output, snapshot, c.err)) return 1;
        // Options given with the file change its design: its results are not these.
        if (opened && !changesInputs(o)) {
            if (const auto notice = resultsDiffer(*opened, snapshotJson(snapshot)))
                c.err << "Design File: " << *notice << '\n';
        }
        printOutput(outputOf(snapshot, o.output), o.output, c.out);
        return 0;
    });
}

}  // namespace qalix
