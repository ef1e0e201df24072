// Replaying enhanced metafiles onto any canvas, stretched into a destination rectangle as a
// window repaint or a printed page does: the picture's extent is mapped onto the rectangle
// (corner onto corner, edges inclusive), its proportions not kept.
//
// The extent is the header's frame converted to pixels of the picture's own reference device;
// when the frame or the device is empty, the bounds. Coordinates are scaled along each axis
// and rounded to the nearest unit (halves away from zero); the viewport origin is mapped
// through the stretch, so that logical coordinates only scale. Font heights follow the
// vertical scale and font widths the horizontal one, never rounding a size to 0 (which
// would ask for the device's default); a pen width follows the mean of the two scales and
// stays at least 1, while width 0 (one device pixel) stays 0. Escapements are kept.
//
// The canvas is taken as new (origin 0, 0; default pen, font and alignment): the player sets
// the origin before the first record only where the stretch moves point (0, 0), so a picture
// played into its own extent makes exactly the calls that drew it. Stock pens (white, black,
// null) are selected as such; other stock objects, and objects whose creation the program
// does not read, leave the selection as it was. Centred text is drawn left-aligned.
#pragma once

#include <filesystem>

#include "canvas/device_rect.hpp"
#include "canvas/emf_parser.hpp"
#include "ui/canvas.hpp"

namespace qalix {

class EmfPlayer {
  public:
    // Reads and checks the file; a MetafileError names it when it cannot be read or is
    // damaged.
    static EmfPlayer open(const std::filesystem::path& file);
    explicit EmfPlayer(emf::Picture picture) : picture_(std::move(picture)) {}

    const emf::Picture& picture() const { return picture_; }
    void play(Canvas& canvas, const DeviceRect& destination) const;

  private:
    emf::Picture picture_;
};

}  // namespace qalix
