// The sequential boundary plot: the statistic S_t against information time with the upper
// and lower boundaries as curves and as bars at the looks, each look's time, cumulative size
// and critical P-values, the final critical value, the design parameters and, when asked
// for, sample paths. One routine draws it for the graphic window and for the metafile; the
// variant holds what the export does differently.
#pragma once

#include <span>

#include "graphics/plot_context.hpp"
#include "graphics/plot_frame.hpp"
#include "graphics/sample_paths.hpp"
#include "ui/canvas.hpp"

namespace qalix {

inline constexpr PlotScale kBoundaryScale{.xFactor = 550,
                                          .yFactor = -90,
                                          .originXPercent = 38,
                                          .originYPercent = 57,
                                          .frameLow = {-0.2f, -2.0f},
                                          .frameHigh = {1.2f, 4.0f}};

struct BoundaryVariant {
    std::span<const DesignLine> designLines;
    float sizeRounding;      // the constant m is rounded up with in line 7
    bool storesAlternative;  // line 3's value is kept as altDelta
    bool whiteBackground;    // the client area is painted white first
    SamplePaths (*paths)(const DesignRecord&);
    PathLegend legend;
};

extern const BoundaryVariant kWindowBoundary;
extern const BoundaryVariant kExportedBoundary;

// One pass of the plot onto the canvas, laid out in the client area as measured now, with
// rho_max as the pass read it. A panel entry read during the pass that cannot be read stops
// the pass after the entry error; what was drawn stays.
void PlotBound(PlotContext& program, Canvas& canvas, const BoundaryVariant& variant, float rhoMax);

}  // namespace qalix
