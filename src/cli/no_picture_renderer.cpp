// A build without the desktop libraries writes metafiles only.
#include "cli/picture_renderer.hpp"

namespace qalix {

PictureRenderer pictureRenderer() {
    return {};
}

}  // namespace qalix
