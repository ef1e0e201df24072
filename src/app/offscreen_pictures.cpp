// The command line's pictures, drawn by the desktop's painter. A command line has no
// windows, so the application is made only when a picture is asked for, on Qt's offscreen
// platform unless the user chose another.
#include <QGuiApplication>
#include <QtGlobal>
#include <cstdio>

#include "cli/picture_renderer.hpp"
#include "platform/qt/application.hpp"
#include "platform/qt/picture_files.hpp"

namespace qalix {

namespace {

// Qt's notes on the offscreen platform's surroundings (no runtime folder, no input
// devices) mean nothing to a user of the command line; its errors still show.
void keepSevereMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "qalix: %s\n", qPrintable(message));
}

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepSevereMessages);
    static int argc = 1;
    static char name[] = "qalix";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    qt::initialiseApplication();
}

}  // namespace

PictureRenderer pictureRenderer() {
    return [](const std::string& path, int width, int height,
              const std::function<void(Canvas&)>& draw, std::string& reason) {
        ensureGuiApplication();
        return qt::savePictureFile(path, width, height, draw, reason);
    };
}

}  // namespace qalix
