// The trial's analysis beyond its dialog: "Copy as Command" in the dialog, the `qalix analyse`
// command that reproduces the analysis, on the clipboard and in the text window; and File >
// "Analysis Report...", the analysis as the document `qalix analyse --out` writes, HTML or PDF by
// the type chosen, shown in the system's viewer. Both take the design as the panel shows it,
// computed again in a program of its own, as the design's files and report do.
#pragma once

#include "document/design_file.hpp"
#include "document/design_menu.hpp"
#include "report/analysis_html.hpp"
#include "shell/program.hpp"

namespace qalix {

class AnalysisMenu {
  public:
    AnalysisMenu(Program& program, DesignMenu& designs);
    AnalysisMenu(const AnalysisMenu&) = delete;
    AnalysisMenu& operator=(const AnalysisMenu&) = delete;

  private:
    void copyCommand();
    void writeReport();
    // The dialog filled for the design, then shown; false when cancelled.
    bool askForChoices(const DesignSnapshot& design, AnalysisDocument& document);

    Program& program_;
    DesignMenu& designs_;
};

// The document of the looks on the design the inputs give, computed in a program of its own as
// `qalix analyse --out` computes it, its boundary plot with the looks' path; title, notes,
// paper and file hash left to the caller. Throws MessageShown for a message the program shows
// and AnalysisInputError for a look the analysis refuses.
AnalysisDocument analysisDocument(const DesignInputs& inputs, const TrialRecord& looks);

}  // namespace qalix
