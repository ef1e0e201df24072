#include "canvas/scaled_canvas.hpp"

#include <cmath>

namespace qalix {

ScaledCanvas::ScaledCanvas(Canvas& target, double scale, double offsetX, double offsetY)
    : target_(target), scale_(scale), offsetX_(offsetX), offsetY_(offsetY) {
    // The target starts with its origin at 0, 0: the move alone until the picture sets one.
    target_.setViewportOrigin(static_cast<int>(std::lround(offsetX_)),
                              static_cast<int>(std::lround(offsetY_)));
}

int ScaledCanvas::scaled(int v) const {
    return static_cast<int>(std::lround(scale_ * v));
}

int ScaledCanvas::size(int v) const {
    if (v == 0) return 0;
    const int s = scaled(v);
    return s != 0 ? s : (v > 0 ? 1 : -1);
}

void ScaledCanvas::selectPen(const Pen& pen) {
    Pen p = pen;
    p.width = size(pen.width);
    target_.selectPen(p);
}

void ScaledCanvas::selectFont(const FontDescription& font) {
    FontDescription f = font;
    f.height = size(font.height);
    f.width = size(font.width);
    target_.selectFont(f);
}

void ScaledCanvas::setViewportOrigin(int x, int y) {
    target_.setViewportOrigin(static_cast<int>(std::lround(offsetX_ + scale_ * x)),
                              static_cast<int>(std::lround(offsetY_ + scale_ * y)));
}

void ScaledCanvas::rectangle(int left, int top, int right, int bottom) {
    target_.rectangle(scaled(left), scaled(top), scaled(right), scaled(bottom));
}

void ScaledCanvas::textOut(int x, int y, std::string_view text) {
    target_.textOut(scaled(x), scaled(y), text);
}

}  // namespace qalix
