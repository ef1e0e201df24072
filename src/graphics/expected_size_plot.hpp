// The expected sample size plot: the expected information time at stopping against the
// standardized mean delta from -10 to 15, with a reference line at the alternative, the mean
// on the data scale and the sample-size scale in the "normseq" design, and the design
// parameters. One routine draws it for the graphic window and for the metafile.
#pragma once

#include <span>

#include "graphics/plot_context.hpp"
#include "graphics/plot_frame.hpp"
#include "ui/canvas.hpp"

namespace qalix {

inline constexpr PlotScale kExpectedSizeScale{.xFactor = 25,
                                              .yFactor = -350,
                                              .originXPercent = 50,
                                              .originYPercent = 65,
                                              .frameLow = {-10.0f, -0.2f},
                                              .frameHigh = {15.0f, 1.2f}};

struct ExpectedSizeVariant {
    std::span<const DesignLine> designLines;
    float sizeScaleRounding;  // the constant m is rounded up with for the sample-size scale
    bool whiteBackground;
};

extern const ExpectedSizeVariant kWindowExpectedSize;
extern const ExpectedSizeVariant kExportedExpectedSize;

// One pass of the plot onto the canvas, with rho_max as the pass read it. A coefficient that
// cannot be read stops the pass before the curve, after the entry error.
void PlotExpecSize(PlotContext& program, Canvas& canvas, const ExpectedSizeVariant& variant,
                   float rhoMax);

}  // namespace qalix
