// The path a trial's looks took, drawn over the boundary plot of the design they were analysed
// on: S_t at each look joined from (0, 0), each look marked and labelled with its decision, in
// a pen of its own, with a legend beside the plot that says what it is.
#pragma once

#include "graphics/plot_context.hpp"
#include "graphics/plot_frame.hpp"

namespace qalix {

// The pen of the observed path, apart from the boundaries' and the sample paths' pens.
inline constexpr Pen kObservedPen{PenStyle::Solid, 2, {0, 100, 0}};

// Nothing while there is no analysis or it was of another design than the one shown.
void drawObservedPath(PlotPainter& painter, const PlotContext& program);

}  // namespace qalix
