#include "graphics/plot_page.hpp"

#include <algorithm>

namespace qalix {

PageFit fitPage(int width, int height) {
    if (width <= 0 || height <= 0) return {0.0, 0.0, 0.0};
    const double pageWidth = kPlotPage.width();
    const double pageHeight = kPlotPage.height();
    const double scale = std::min(width / pageWidth, height / pageHeight);
    return {scale, (width - scale * pageWidth) / 2.0, (height - scale * pageHeight) / 2.0};
}

}  // namespace qalix
