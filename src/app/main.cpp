// qalixinf: the desktop program. Starts the program on Qt's platform with its frame window,
// runs the start-up of the core (start screen, panel, the start-up design) and then the one
// event loop until "EXIT", "Cancel" on the start screen, or a closed frame or panel.
#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "design/panel_ids.hpp"
#include "document/design_menu.hpp"
#include "io/files.hpp"
#include "platform/qt/application.hpp"
#include "platform/qt/dialog_window.hpp"
#include "platform/qt/frame_main_window.hpp"
#include "platform/qt/qt_platform.hpp"
#include "report/analysis_menu.hpp"
#include "report/comparison_menu.hpp"
#include "report/report_menu.hpp"
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

// `qalixinf --check-start`, for checking an installation: starts as a user does, answers the
// start screen with its first button and ends as soon as the panel is on the screen.
constexpr std::string_view kCheckStart = "--check-start";

bool checkingStart(int argc, char** argv) {
    return argc == 2 && std::string_view(argv[1]) == kCheckStart;
}

int reportStart(qalix::qt::QtPlatform& platform, bool started) {
    const auto* panel = platform.existingWindow(qalix::kPanelDialog);
    const bool shown = started && panel != nullptr && panel->isVisible();
    std::fputs(shown ? "qalixinf: started; the panel is shown.\n"
                     : "qalixinf: the program did not start to its panel.\n",
               shown ? stdout : stderr);
    return shown ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    qalix::io::ignoreFileSizeSignal();
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
    qalix::DesignMenu designs(program);
    const qalix::ReportMenu reports(program, designs);
    const qalix::ComparisonMenu comparisons(program);
    const qalix::AnalysisMenu analyses(program, designs);
    qalix::qt::FrameMainWindow frame(program.frame());
    frame.openWithin(QGuiApplication::primaryScreen()->availableGeometry(), kFrameInset);
    platform.setFrame(&frame);
    if (checkingStart(argc, argv)) {
        platform.scriptModal(qalix::kStartScreenDialog, [](qalix::Dialog& start) {
            start.userClick(qalix::startscreen::kStart);
        });
        const int code = reportStart(platform, qalix::startUp(program));
        platform.releaseWindows();
        return code;
    }
    const int code = qalix::startUp(program) ? platform.runMainLoop() : 0;
    platform.releaseWindows();
    return code;
}
