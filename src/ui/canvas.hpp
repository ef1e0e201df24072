// What the plots draw on: a surface in integer device units with one current pen, one
// current font, a text alignment, a viewport origin and a graphics mode, and the four
// drawing calls the plots use. Back ends: the recording canvas that tests read, the
// enhanced-metafile writer, and the QPainter canvas of the desktop (window, printer, files).
//
// Selecting a pen or a font makes a new drawing object current; the canvas releases the one
// it replaces, so no number of passes accumulates objects.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/font.hpp"

namespace qalix {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

// Line styles as metafile pens carry them (their numeric values are the record's).
enum class PenStyle : std::uint32_t {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    Null = 5  // draws nothing
};

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // device units; 0 is one device pixel whatever the scale
    Colour colour;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// Where a text's reference point lies: at its top left (the default) or its top right.
enum class TextAlign : std::uint32_t { LeftTop = 0, RightTop = 2 };

// The advanced mode draws rotated fonts as their escapement says.
enum class GraphicsMode : std::uint32_t { Compatible = 1, Advanced = 2 };

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void selectPen(const Pen& pen) = 0;
    virtual void selectFont(const FontDescription& font) = 0;
    virtual void setTextAlign(TextAlign align) = 0;
    virtual void setGraphicsMode(GraphicsMode mode) = 0;
    // Device point (x, y) is drawn at (x + originX, y + originY) of the surface.
    virtual void setViewportOrigin(int x, int y) = 0;

    virtual void moveTo(int x, int y) = 0;
    // A line from the current position to (x, y) with the current pen, which becomes the
    // current position.
    virtual void lineTo(int x, int y) = 0;
    // Outlined with the current pen and filled white, right and bottom edges excluded.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    // The text in the current font and alignment, its reference point at (x, y).
    virtual void textOut(int x, int y, std::string_view text) = 0;
};

}  // namespace qalix
