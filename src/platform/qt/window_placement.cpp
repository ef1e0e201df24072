#include "platform/qt/window_placement.hpp"

#include <algorithm>

namespace qalix::qt {

QRect openingFrame(const QRect& available, const QSize& wanted, int inset) {
    const QRect inside = available.adjusted(inset, inset, -inset, -inset);
    return {inside.topLeft(), wanted.boundedTo(inside.size())};
}

QPoint keptWithin(const QRect& available, const QRect& window) {
    const int x = std::max(std::min(window.left(), available.right() + 1 - window.width()),
                           available.left());
    const int y = std::max(std::min(window.top(), available.bottom() + 1 - window.height()),
                           available.top());
    return {x, y};
}

FrameAndPanel besideEachOther(const QRect& available, const QRect& frame, const QSize& panel,
                              int minimumWidth, int gap) {
    QRect placed = frame;
    const int room = available.right() + 1 - gap - panel.width() - gap - frame.left();
    placed.setWidth(std::clamp(room, std::min(minimumWidth, frame.width()), frame.width()));
    const int besideX = placed.right() + 1 + gap;
    const int x = std::min(besideX, available.right() + 1 - panel.width());
    return {placed, QPoint(std::max(x, available.left()), placed.top())};
}

}  // namespace qalix::qt
