// A canvas that draws onto another scaled and moved: a picture laid out on the plot page,
// drawn whole on a surface of another size (a printed page) with its proportions kept.
// Coordinates and the viewport origin scale and move, rounded to the nearest unit; font
// heights and widths scale, never to 0 (which would ask for the device's own size); a pen
// width scales and stays at least 1, while width 0 (one device pixel) stays 0. Escapements
// and everything else pass through.
#pragma once

#include "ui/canvas.hpp"

namespace qalix {

class ScaledCanvas final : public Canvas {
  public:
    // Page point (x, y) lands at (offsetX + scale * x, offsetY + scale * y) of the target.
    ScaledCanvas(Canvas& target, double scale, double offsetX, double offsetY);

    void selectPen(const Pen& pen) override;
    void selectFont(const FontDescription& font) override;
    void setTextAlign(TextAlign align) override { target_.setTextAlign(align); }
    void setGraphicsMode(GraphicsMode mode) override { target_.setGraphicsMode(mode); }
    void setViewportOrigin(int x, int y) override;
    void moveTo(int x, int y) override { target_.moveTo(scaled(x), scaled(y)); }
    void lineTo(int x, int y) override { target_.lineTo(scaled(x), scaled(y)); }
    void rectangle(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, std::string_view text) override;

  private:
    int scaled(int v) const;
    int size(int v) const;  // a size that is not 0 stays not 0

    Canvas& target_;
    double scale_;
    double offsetX_;
    double offsetY_;
};

}  // namespace qalix
