// The current plot as a picture file: the same drawing calls replayed through the QPainter
// canvas onto the file's device, as vectors where the format allows (SVG, PDF) and as pixels
// otherwise (PNG). The file type follows the name's extension.
#pragma once

#include <functional>
#include <string>

#include "ui/canvas.hpp"

namespace qalix::qt {

enum class PictureFormat { Svg, Pdf, Png, Unknown };

PictureFormat pictureFormatOf(const std::string& path);

// Draws the picture of width by height device units and saves it as the file, whole or not at
// all (io/files.hpp). False with a reason when the format is unknown or the file cannot be
// written.
bool savePictureFile(const std::string& path, int width, int height,
                     const std::function<void(Canvas&)>& draw, std::string& reason);

}  // namespace qalix::qt
