// Where the frame and the panel open on a screen: both within its available area, the panel
// beside the frame, the frame no wider than leaves the panel room, down to the narrowest frame
// whose plots are still readable; over the frame's right side only on a screen too small for
// that.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace qalix::qt {

// The frame's outer rectangle when it first opens: at the inset from the area's top left, as
// large as wanted but within the area.
QRect openingFrame(const QRect& available, const QSize& wanted, int inset);

// Where a window of that rectangle stands moved into the area: as little as it takes, and
// with its top left corner in the area when it is larger.
QPoint keptWithin(const QRect& available, const QRect& window);

struct FrameAndPanel {
    QRect frame;   // outer rectangle
    QPoint panel;  // outer top left
};

// The frame narrowed (not below minimumWidth) so that the panel fits beside it with the gap
// between them; the panel beside it, or flush with the area's right edge where even the
// narrowest frame leaves no room; both tops at the frame's.
FrameAndPanel besideEachOther(const QRect& available, const QRect& frame, const QSize& panel,
                              int minimumWidth, int gap);

}  // namespace qalix::qt
