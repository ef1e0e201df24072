// qalixinf: the desktop program. Starts the program on Qt's platform with its frame window,
// runs the start-up of the core (start screen, panel, the start-up design) and then the one
// event loop until "EXIT", "Cancel" on the start screen, or a closed frame or panel.
#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "document/design_menu.hpp"
#include "platform/qt/application.hpp"
#include "platform/qt/frame_main_window.hpp"
#include "platform/qt/qt_platform.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace {

// Space between the screen's edges and the frame window, pixels.
constexpr int kFrameInset = 8;

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt aborts when it cannot reach a display; say so ourselves, in one line, first.
bool hasDisplay() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fputs(
            "qalixinf: no display to show windows on; the command line program qalix "
            "computes the same designs without one (qalix --help).\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    qalix::qt::initialiseApplication();

    qalix::qt::QtPlatform platform;
    qalix::Program program(platform);
    const qalix::DesignMenu designs(program);
    qalix::qt::FrameMainWindow frame(program.frame());
    frame.openWithin(QGuiApplication::primaryScreen()->availableGeometry(), kFrameInset);
    platform.setFrame(&frame);
    const int code = qalix::startUp(program) ? platform.runMainLoop() : 0;
    platform.releaseWindows();
    return code;
}
