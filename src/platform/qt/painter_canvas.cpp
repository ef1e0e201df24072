#include "platform/qt/painter_canvas.hpp"

#include "platform/qt/text_bytes.hpp"

#include <QFontMetrics>
#include <QPainter>

#include "platform/qt/fonts.hpp"

namespace qalix::qt {

namespace {

constexpr double kTenthsPerDegree = 10.0;

Qt::PenStyle qtStyle(PenStyle style) {
    switch (style) {
        case PenStyle::Solid:
            return Qt::SolidLine;
        case PenStyle::Dash:
            return Qt::DashLine;
        case PenStyle::Dot:
            return Qt::DotLine;
        case PenStyle::DashDot:
            return Qt::DashDotLine;
        case PenStyle::DashDotDot:
            return Qt::DashDotDotLine;
        case PenStyle::Null:
            return Qt::NoPen;
    }
    return Qt::SolidLine;
}

}  // namespace

QPen qtPen(const Pen& pen) {
    QPen q(QColor(pen.colour.red, pen.colour.green, pen.colour.blue));
    q.setStyle(qtStyle(pen.style));
    // A line one unit wide stays one pixel wide on a page scaled down to a small window,
    // where it would thin to a faint part of a pixel.
    q.setWidth(pen.width);
    q.setCosmetic(pen.width <= 1);
    q.setCapStyle(Qt::FlatCap);
    return q;
}

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter), pen_(qtPen(Pen{})) {}

void PainterCanvas::selectPen(const Pen& pen) {
    pen_ = qtPen(pen);
}

void PainterCanvas::selectFont(const FontDescription& font) {
    font_ = toQFont(font);
    escapement_ = font.escapement;
}

void PainterCanvas::setTextAlign(TextAlign align) {
    align_ = align;
}

void PainterCanvas::setGraphicsMode(GraphicsMode) {
    // Rotated text is always drawn as its escapement says.
}

void PainterCanvas::setViewportOrigin(int x, int y) {
    origin_ = {x, y};
}

void PainterCanvas::moveTo(int x, int y) {
    current_ = device(x, y);
}

void PainterCanvas::lineTo(int x, int y) {
    const QPoint to = device(x, y);
    painter_.setPen(pen_);
    painter_.drawLine(current_, to);
    current_ = to;
}

void PainterCanvas::rectangle(int left, int top, int right, int bottom) {
    const QPoint a = device(left, top);
    const QPoint b = device(right, bottom);
    const QRect area = QRect(a, b).normalized().adjusted(0, 0, -1, -1);
    painter_.fillRect(area, Qt::white);
    if (pen_.style() == Qt::NoPen) return;
    painter_.setPen(pen_);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(area);
}

void PainterCanvas::textOut(int x, int y, std::string_view text) {
    const QString q = programText(text);
    painter_.save();
    painter_.setFont(font_);
    painter_.setPen(QPen(Qt::black));
    painter_.translate(device(x, y));
    painter_.rotate(-escapement_ / kTenthsPerDegree);
    const QFontMetrics metrics(font_, painter_.device());
    const int left = align_ == TextAlign::RightTop ? -metrics.horizontalAdvance(q) : 0;
    painter_.drawText(QPoint(left, metrics.ascent()), q);
    painter_.restore();
}

}  // namespace qalix::qt
