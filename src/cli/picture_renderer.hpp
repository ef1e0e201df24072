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

// Writes an HTML document to a PDF file paginated on A4 (or Letter) paper, its inline SVG
// pictures as vector graphics; false with the reason when it cannot.
using DocumentRenderer = std::function<bool(const std::string& path, const std::string& html,
                                            bool letter, std::string& reason)>;

// The renderers: each opens the library at its first use and refuses, with the reason, when
// there is none.
PictureRenderer pictureRenderer();
DocumentRenderer documentRenderer();

}  // namespace qalix
