// Who draws the pictures the plot command writes as SVG, PDF or PNG. The metafile is the
// program's own; the other formats need the desktop's painter, which a build without the
// desktop libraries does not have.
#pragma once

#include <functional>
#include <string>

#include "ui/canvas.hpp"

namespace qalix {

// Draws a picture of width by height pixels into the file named; false with the reason when
// it cannot.
using PictureRenderer =
    std::function<bool(const std::string& path, int width, int height,
                       const std::function<void(Canvas&)>& draw, std::string& reason)>;

// The renderer this build has; empty when it has none.
PictureRenderer pictureRenderer();

}  // namespace qalix
