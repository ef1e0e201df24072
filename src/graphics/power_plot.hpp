// The power function plot: the probability that the sequential test rejects, against the
// standardized mean delta from -1.5 to 5, with reference lines at the alternative, the
// power and alpha, the mean on the data scale in the "normseq" design, and the design
// parameters. One routine draws it for the graphic window and for the metafile.
#pragma once

#include <span>

#include "graphics/plot_context.hpp"
#include "graphics/plot_frame.hpp"
#include "ui/canvas.hpp"

namespace qalix {

inline constexpr PlotScale kPowerScale{.xFactor = 120,
                                       .yFactor = -360,
                                       .originXPercent = 40,
                                       .originYPercent = 65,
                                       .frameLow = {-1.5f, -0.2f},
                                       .frameHigh = {5.0f, 1.2f}};

struct PowerVariant {
    std::span<const DesignLine> designLines;
    WorldPoint meanCaptionAt;  // "Mean Parameter   (delta or mu)"
    bool whiteBackground;
};

extern const PowerVariant kWindowPower;
extern const PowerVariant kExportedPower;

// One pass of the plot onto the canvas, with rho_max as the pass read it. A coefficient that
// cannot be read stops the pass before the curve, after the entry error.
void PlotPwrFunc(PlotContext& program, Canvas& canvas, const PowerVariant& variant, float rhoMax);

}  // namespace qalix
