// Who draws the pictures the plot command writes as SVG, PDF or PNG. The metafile is the
// program's own; the other formats need the desktop's painter, in a library of their own that
// qalix opens only when a picture is asked for (a build without the desktop has none).
#pragma once

#include <functional>
#include <string>

#include "platform/picture_plugin.hpp"

namespace qalix {

// The renderers: each opens the library at its first use and refuses, with the reason, when
// there is none.
PictureRenderer pictureRenderer();
DocumentRenderer documentRenderer();

}  // namespace qalix
