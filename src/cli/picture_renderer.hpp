// Who draws the pictures the plot command writes as SVG, PDF or PNG. The metafile is the
// program's own; the other formats need the desktop's painter, in a library of their own that
// qalix opens only when a picture is asked for (a build without the desktop has none).
#pragma once

#include <functional>
#include <string>

#include "document/session.hpp"

namespace qalix {

// The library's file name.
inline constexpr const char* kPictureRendererFile = "libqalix-pictures.so";

// The renderer: it opens the library at its first picture and refuses every picture, with the
// reason, when there is none.
PictureRenderer pictureRenderer();

}  // namespace qalix
