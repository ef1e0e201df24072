// A pass of the plot the open plot dialog shows, as the graphic window gets it: the panel
// entries the plot reads at every message first, then the drawing.
#pragma once

#include "graphics/plot_context.hpp"
#include "ui/canvas.hpp"

namespace qalix {

// The entries alone, as every message of the plot dialog reads them: alpha and rho_max for
// the boundary and expected-size plots, rho_max for the power plot. False after the entry
// error when one cannot be read.
bool readPlotEntries(PlotContext& program, PlotKind kind);

// The entries, then the plot onto the canvas. False, after the entry error, when an entry
// could not be read: nothing is drawn then.
bool paintPlot(PlotContext& program, PlotKind kind, Canvas& canvas);

// The plain boundary plot drawn into the picture the graphic window shows, as "Sequential
// boundary" draws it when its dialog opens, without the dialog: what an analysis of the
// trial's looks shows its path on.
void drawBoundaryPicture(PlotContext& program);

}  // namespace qalix
