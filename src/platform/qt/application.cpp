#include "platform/qt/application.hpp"

#include <QApplication>
#include <clocale>

#include "platform/qt/fonts.hpp"
#include "platform/qt/pictures.hpp"

namespace qalix::qt {

void initialiseApplication() {
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("qalixinf"));
    QApplication::setApplicationDisplayName(QStringLiteral("QALIX on Information Time"));
    QApplication::setWindowIcon(programIcon());
    installFontSubstitutes();
}

}  // namespace qalix::qt
