// The page every plot is laid out on. A plot is drawn with the same calls whatever the size
// of the surface that shows it: the graphic window and picture files scale the page to their
// own size, its aspect kept and centred, so that every text and line of the plot stays in
// view and in proportion.
#pragma once

#include <algorithm>

#include "ui/geometry.hpp"

namespace qalix {

// The graphic window's client area at the size the plots were made for: none of them is cut
// off in it, and the plot dialogs at its top left cover none of them.
inline constexpr Rect kPlotPage{0, 0, 1500, 800};

// The page on a surface of width by height: page point (x, y) lands at
// (offsetX + scale * x, offsetY + scale * y).
struct PageFit {
    double scale = 1.0;
    double offsetX = 0.0;
    double offsetY = 0.0;
};

// The largest scale at which the whole page fits the surface, the page centred on it; a
// surface without area shows nothing (scale 0). Inline: the picture renderer library draws
// with it and links no other part of the plots.
inline PageFit fitPage(int width, int height) {
    if (width <= 0 || height <= 0) return {0.0, 0.0, 0.0};
    const double pageWidth = kPlotPage.width();
    const double pageHeight = kPlotPage.height();
    const double scale = std::min(width / pageWidth, height / pageHeight);
    return {scale, (width - scale * pageWidth) / 2.0, (height - scale * pageHeight) / 2.0};
}

}  // namespace qalix
