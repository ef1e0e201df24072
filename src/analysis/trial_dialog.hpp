// Data > "Analyse Trial...": the looks the trial took so far, typed one row per look of the
// design shown or taken from an imported record, analysed on that design as `qalix analyse`
// analyses them. The dialog shows the table of the looks and the sentences under it, and the
// boundary plot draws the looks' path over the design's boundaries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/trial_state.hpp"
#include "ui/frame_commands.hpp"

namespace qalix {

// Data > "Analyse Trial...": while the design shown is computed and its results current.
void addTrialCommands(FrameCommands& commands, TrialContext& program);

// The dialog's buttons; once, after it is built.
void attachTrialCallbacks(TrialContext& program);

// "Analyse": the rows' looks on the design shown. True when analysed: the dialog shows the
// analysis, the state keeps it, and the graphic window's boundary plot draws the looks' path.
// A look the analysis refuses shows the analysis's message and changes nothing.
bool analyseLooks(TrialContext& program);

// Looks as a design file keeps them ("n=6,sum=2") put in the rows, the rows after them
// cleared, and the confidence (none: the design's default) in its field.
void putLooks(TrialContext& program, const std::vector<std::string>& looks,
              const std::optional<std::string>& confidence);

// The analysis kept is of the design shown, and that design's results are current.
bool analysisCurrent(const TrialContext& program);

// The looks of an analysis of the design the program computed, handed to the boundary plot.
void showObservedPath(PlotContext& program, const TrialAnalysis& analysis);

}  // namespace qalix
