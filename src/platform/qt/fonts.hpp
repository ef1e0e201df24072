// Fonts on the screen: the faces the program's resources name are drawn with metric-
// compatible faces that Debian ships, and the program's logical-font record becomes a QFont
// and back.
#pragma once

#include <QFont>

#include "ui/font.hpp"

namespace qalix::qt {

// "MS Sans Serif" and "Times New Roman" are drawn with the Liberation faces.
void installFontSubstitutes();

// A logical font: its height is in pixels (device units), as the plots and the text window
// take it.
QFont toQFont(const FontDescription& font);
// The logical font as the font dialog lists it: the face that draws it and its size in
// points, so that the dialog opens on the font in use.
QFont fontDialogFont(const FontDescription& font);
// The user's choice in the font dialog, as a logical font; the rotation of base is kept.
FontDescription fromQFont(const QFont& font, const FontDescription& base);

// The font a dialog template names, in points.
QFont dialogFont(int points, const std::string& face);

}  // namespace qalix::qt
