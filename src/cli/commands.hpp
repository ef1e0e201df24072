// The commands of qalix, one file each (<name>_command.cpp), each reached through its row of the
// command table (option_table.cpp). A command with an entry point here, a file and a row is a
// command of qalix: its help, its options and its usage errors come from the row.
#pragma once

#include <ostream>

#include "cli/options.hpp"
#include "cli/picture_renderer.hpp"

namespace qalix {

// What a command runs with: where it prints its results and its messages, and who draws the
// pictures and the PDF documents it is asked for.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    const PictureRenderer& pictures;
    const DocumentRenderer& documents;
};

// Each returns the exit status: 0 done, 1 when the program showed a message (printed to err
// as "Caption: text") or a file could not be read or written. A bad command line throws
// UsageError, inputs the dialogs cannot take InputError.

// The fixed-sample test, as the panel's section 2 shows it.
int runFixed(const CliOptions& o, const CommandContext& c);

// A sequential design with its operating characteristics; its design file, tables and the
// command that reproduces it.
int runDesign(const CliOptions& o, const CommandContext& c);

// Candidate designs side by side. Every combination of the alternatives given is a candidate,
// checked before anything is computed; each is computed in a program of its own, on as many
// threads as asked, and printed in the order given. A candidate whose design showed a message
// has it printed on err with the candidate it belongs to, and the other rows are printed. With
// --out, the table and the candidates' curves are written as a document too.
int runCompare(const CliOptions& o, const CommandContext& c);

// The "Simu" lines of the sets given, to --out (through the frame's "Save Simulation") or to
// out, or the output with the sets and lines as JSON.
int runSimulate(const CliOptions& o, const CommandContext& c);

// Sample files imported in order, and the records as the selection dialog shows them.
int runImport(const CliOptions& o, const CommandContext& c);

// A plot of the design, with sample paths simulated or imported when the boundary plot draws
// them, saved through the frame's "Save As..." as a metafile or a picture file.
int runPlot(const CliOptions& o, const CommandContext& c);

// The design report of a design given by options or by a design file, as HTML or PDF.
int runReport(const CliOptions& o, const CommandContext& c);

// The analysis of the looks a trial took on a design given by options or by a design file:
// the looks' table and the inference at the end as text or JSON, the looks as CSV, the
// analysis as a document, the design file with the looks.
int runAnalyse(const CliOptions& o, const CommandContext& c);

}  // namespace qalix
