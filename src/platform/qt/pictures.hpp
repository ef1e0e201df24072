// The program's pictures (the start screen, the icon), drawn from the vector drawings
// built into the program at the size a window asks for.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qalix::qt {

// The picture of that name fitted into size with its proportions kept; a null pixmap when
// the program has no picture of that name.
QPixmap picture(const QString& name, const QSize& size);
// The program's icon, for its windows.
QIcon programIcon();

}  // namespace qalix::qt
