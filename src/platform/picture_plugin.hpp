// The picture plug-in: a library of the desktop build that draws SVG, PDF and PNG pictures and
// PDF documents with Qt's painter, opened by the command line only when one is asked for, so
// that qalix itself links no Qt. What both sides agree on: the library's file name, its entry
// points and the renderers they hand over. No Qt here.
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

// Writes an HTML document to a PDF file paginated on A4 (or Letter) paper, its inline SVG
// pictures as vector graphics; false with the reason when it cannot.
using DocumentRenderer = std::function<bool(const std::string& path, const std::string& html,
                                            bool letter, std::string& reason)>;

// The library's file name, beside qalix in a build, in the installation's library folder
// under qalix/ otherwise.
inline constexpr const char* kPictureRendererFile = "libqalix-pictures.so";

// Its entry points, each filling in one renderer: extern "C" void NAME(Renderer*).
inline constexpr const char* kPictureEntryPoint = "qalixPictureRenderer";
inline constexpr const char* kDocumentEntryPoint = "qalixDocumentRenderer";
using PictureEntryPoint = void (*)(PictureRenderer*);
using DocumentEntryPoint = void (*)(DocumentRenderer*);

}  // namespace qalix
