// A canvas drawn with QPainter: the graphic window, the printer's page, and SVG, PDF and PNG
// picture files all replay the same drawing calls through it. Device units are the painter's
// pixels; text is placed by its top-left (or top-right) corner and turned by the font's
// escapement, as the plots lay it out.
#pragma once

#include <QFont>
#include <QPen>
#include <QPoint>

#include "ui/canvas.hpp"

class QPainter;

namespace qalix::qt {

class PainterCanvas final : public Canvas {
  public:
    explicit PainterCanvas(QPainter& painter);

    void selectPen(const Pen& pen) override;
    void selectFont(const FontDescription& font) override;
    void setTextAlign(TextAlign align) override;
    void setGraphicsMode(GraphicsMode mode) override;
    void setViewportOrigin(int x, int y) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, std::string_view text) override;

  private:
    QPoint device(int x, int y) const { return {x + origin_.x(), y + origin_.y()}; }

    QPainter& painter_;
    QPen pen_;
    QFont font_;
    int escapement_ = 0;  // tenths of a degree, counterclockwise
    TextAlign align_ = TextAlign::LeftTop;
    QPoint origin_;
    QPoint current_;
};

// Qt's pen for a canvas pen: widths 0 and 1 are one device pixel whatever the scale.
QPen qtPen(const Pen& pen);

}  // namespace qalix::qt
