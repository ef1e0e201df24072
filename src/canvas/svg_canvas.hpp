// A canvas that writes SVG text: the plots as vector graphics where no painter is at hand (the
// design report of the command line). Lines, white-filled rectangles and texts, each with the
// pen and font current when it was drawn; a text's reference point at its top left or top
// right, rotated by its font's escapement.
#pragma once

#include <sstream>
#include <string>

#include "ui/canvas.hpp"
#include "ui/font.hpp"

namespace qalix {

class SvgCanvas : public Canvas {
  public:
    // A picture of width by height device units, shown at that size in CSS pixels unless the
    // page scales it.
    SvgCanvas(int width, int height);

    void selectPen(const Pen& pen) override { pen_ = pen; }
    void selectFont(const FontDescription& font) override { font_ = font; }
    void setTextAlign(TextAlign align) override { align_ = align; }
    void setGraphicsMode(GraphicsMode) override {}
    void setViewportOrigin(int x, int y) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, std::string_view text) override;

    // The whole <svg> element.
    std::string svg() const;

  private:
    std::string stroke() const;

    int width_;
    int height_;
    int originX_ = 0;
    int originY_ = 0;
    int x_ = 0;
    int y_ = 0;
    Pen pen_;
    FontDescription font_;
    TextAlign align_ = TextAlign::LeftTop;
    std::ostringstream body_;
};

// UTF-8 text as XML character data: markup characters escaped, control characters as blanks,
// a malformed sequence as U+FFFD.
std::string xmlText(std::string_view utf8);

}  // namespace qalix
