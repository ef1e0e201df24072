// What the trial's dialog keeps between its shows, and what its callbacks work on: the plots'
// context (the design, the imported records, the plot the path is drawn on) and this state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/trial_analysis.hpp"
#include "graphics/plot_context.hpp"

namespace qalix {

struct TrialState {
    // The looks last analysed, as `qalix analyse --observed` takes them ("n=6,sum=2"), and the
    // confidence as typed when it is not the default.
    std::vector<std::string> looks;
    std::optional<std::string> confidence;
    // What they gave, on which design: the inputs "Sequential Design" computed it from.
    std::optional<TrialAnalysis> analysis;
    std::vector<ResultInput> designInputs;
    // The default the confidence field was last given, 1 - 2 alpha of the design then shown.
    std::string defaultConfidence;
};

struct TrialContext : PlotContext {
    TrialState& trial;
};

}  // namespace qalix
