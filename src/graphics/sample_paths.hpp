// The sample paths the boundary plot draws over the boundaries, with their legend: simulated
// paths (fresh, saved or as last simulated) or imported ones (every record or the selected
// sets), each in a colour of its own.
#pragma once

#include "graphics/plot_context.hpp"
#include "graphics/plot_frame.hpp"

namespace qalix {

enum class SamplePaths {
    None,
    NewSimulated,
    SavedSimulated,
    CurrentSimulated,
    AllImported,
    SelectedImported
};

// The window plot draws what the plot dialog's radio buttons chose (plotSource).
SamplePaths windowPaths(const DesignRecord& r);
// The export draws the paths of the sample plot closed last (sampleSource), as plotSource
// says, and no simulated paths while there are no sets.
SamplePaths exportedPaths(const DesignRecord& r);

// The header and entries of the simulated paths' legend: by design in the window (delta
// alone in the "brownian" design), mu and delta always in the export.
enum class PathLegend { ByDesign, MeanAndDelta };

// The colour of path s (1, 2, ...): twelve colours apart from each other and from the
// boundaries', taken again in turn beyond the twelfth path.
Colour pathColour(int s);

// Draws the paths and the legend of sets 1 to 12; N is the largest sample size, m rounded
// up. "New" simulates every set afresh first; a simulation that fails (after its message)
// draws nothing.
void drawSamplePaths(PlotPainter& painter, PlotContext& program, SamplePaths paths,
                     PathLegend legend, int N);

}  // namespace qalix
