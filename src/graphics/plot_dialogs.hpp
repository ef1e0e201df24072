// The plot dialogs: 104 "Plot" for the three design plots, 108 "Plot Simulations" and 110
// "Plot Imported Samples" for the boundary plot with sample paths. Each is modal; the plot it
// controls is drawn into the graphic window when it opens and at each "Refresh Plot", and
// stays there after it closes.
#pragma once

#include "graphics/plot_context.hpp"

namespace qalix {

// What "Cancel" ends a plot dialog with.
inline constexpr int kPlotDialogResult = 1;

// Attaches the buttons of the three dialogs; once, after they are built.
void attachPlotDialogs(PlotContext& program);

// Runs the dialog modally with the plot of that kind, drawn first as it opens; returns the
// dialog's result.
int runPlotDialog(PlotContext& program, PlotKind kind, int dialogId);

}  // namespace qalix
