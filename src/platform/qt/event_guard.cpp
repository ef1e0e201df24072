#include "platform/qt/event_guard.hpp"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "ui/dialog.hpp"

namespace qalix::qt {

void dispatch(const std::function<void()>& action) {
    try {
        action();
    } catch (const ControlRefused&) {
        QApplication::beep();
    } catch (const std::exception& e) {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("QALIXinfWin"),
                              QStringLiteral("The program met an internal error and stopped "
                                             "what it was doing:\n\n%1")
                                  .arg(QString::fromStdString(e.what())));
    }
}

}  // namespace qalix::qt
