// Start-up of the desktop program to the panel shown, on Qt's offscreen platform: the frame
// window, every dialog built, the start screen passed, the panel laid out and the start-up
// design computed. Reports the resident memory after start-up as a counter.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <fstream>
#include <string>

#include "platform/qt/application.hpp"
#include "platform/qt/dialog_window.hpp"
#include "platform/qt/frame_main_window.hpp"
#include "platform/qt/qt_platform.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace {

// Resident set size of this process, kilobytes.
double residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
    }
    return 0.0;
}

void startOnce() {
    qalix::qt::QtPlatform platform;
    qalix::Program program(platform);
    qalix::qt::FrameMainWindow frame(program.frame());
    frame.show();
    platform.setFrame(&frame);
    QTimer::singleShot(0, &frame, [&] {
        auto* start = platform.existingWindow(qalix::kStartScreenDialog);
        static_cast<QAbstractButton*>(start->widget(qalix::startscreen::kStart))->click();
    });
    qalix::startUp(program);
    QApplication::processEvents();  // the panel painted
    platform.releaseWindows();
}

void BM_StartUpToPanelShown(benchmark::State& state) {
    for (auto _ : state)
        startOnce();
    state.counters["rss_kB"] = residentKilobytes();
}
BENCHMARK(BM_StartUpToPanelShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qalix::qt::initialiseApplication();
    startOnce();
    const double afterFirst = residentKilobytes();
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("rss_after_first_startup_kB", std::to_string(afterFirst));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
