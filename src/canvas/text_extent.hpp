// How much room a text takes, estimated from its font alone: the program has no font
// metrics below the desktop, yet the metafile needs the text's advances (its spacing array)
// and the picture's bounds. The estimate uses the advance widths of the program's default
// face for printable ASCII and an average width for every other character.
#pragma once

#include <string_view>
#include <vector>

#include "canvas/device_rect.hpp"
#include "ui/canvas.hpp"
#include "ui/font.hpp"

namespace qalix {

// Height of a character cell in logical units: a positive font height is the cell height, a
// negative one the em height, and 0 the device's default.
double estimatedCellHeight(const FontDescription& font);

// The advance of each UTF-16 unit of the text, whole logical units, rounded so that their
// running sums stay within half a unit of the exact ones. The second unit of a surrogate pair
// advances 0.
std::vector<int> estimatedAdvances(const FontDescription& font, std::u16string_view text);

// The box (edges inclusive) that a text with these advances covers when drawn with its
// reference point at (x, y), turned by the font's escapement; nothing for an empty text.
struct TextBox {
    bool empty = true;
    DeviceRect box;
};
TextBox estimatedTextBox(const FontDescription& font, TextAlign align, int x, int y,
                         const std::vector<int>& advances);

}  // namespace qalix
