// The analysis of a trial as one self-contained HTML document for a data monitoring
// committee: the design in one paragraph, the table of the looks taken, the decision, the
// conditional power while the trial runs or the inference at its end (each number with its
// meaning in one sentence), the boundary plot with the observed path, and the command that
// reproduces every number.
#pragma once

#include <string>

#include "analysis/trial_analysis.hpp"
#include "document/design_snapshot.hpp"
#include "report/html_parts.hpp"

namespace qalix {

struct AnalysisDocument {
    std::string title;  // empty: "Analysis of the trial"
    std::string notes;
    Paper paper = Paper::A4;
    std::string command;         // the qalix analyse command that reproduces it
    std::string designFileHash;  // when the design came from a file
    DesignSnapshot design;       // the design as computed, with its boundaries
    TrialDesign trial;
    TrialAnalysis analysis;
    std::string boundaryPlot;  // <svg>, the observed path drawn over the boundaries
};

std::string analysisHtml(const AnalysisDocument& document);

}  // namespace qalix
