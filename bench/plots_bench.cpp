// One pass of each plot onto the recording canvas, as the plot dialog makes it when it opens,
// at "Refresh Plot" and at a resize, and the power and expected-size curves alone, for a
// 16-look design. A repaint of the graphic window replays the recording: also measured.
#include <benchmark/benchmark.h>

#include <string>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"
#include "graphics/plot_pass.hpp"
#include "graphics/recording_canvas.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/startup.hpp"

namespace qalix {
namespace {

constexpr int kSimulationSets = 10;
constexpr std::uint64_t kSeed = 17;

// A 16-look normseq design with m = 100, searched at rho_max 0.01, in graphic mode, with ten
// simulated sets of 100 observations.
class Designed {
  public:
    Designed() {
        platform_.onModal(kStartScreenDialog,
                          [this](Dialog&) { ui_.click(kStartScreenDialog, startscreen::kStart); });
        startUp(program_);
        ui_.type(panel::kSizeCombo, "100");
        ui_.type(panel::kLooksCombo, "16");
        platform_.onModal(kInfoTimeDialog,
                          [this](Dialog&) { ui_.click(kInfoTimeDialog, infotimes::kOk); });
        ui_.click(panel::kGroupSizesButton);
        ui_.type(panel::kRhoCombo, "0.01");
        ui_.click(panel::kCoeffButton);
        ui_.click(panel::kSequentialDesignButton);
        ui_.click(panel::kGraphicWindow);
        program_.samples().fixedSeed = kSeed;
        ui_.click(panel::kSimulatedSamples);
        for (int s = 0; s < kSimulationSets; ++s) {
            ui_.type(kSimulationDialog, simulation::kMuCombo, "0.3");
            ui_.type(kSimulationDialog, simulation::kSizeCombo, "100");
            ui_.click(kSimulationDialog, simulation::kSelectSet);
        }
        ui_.click(kSimulationDialog, simulation::kSimulate);
    }
    Program& program() { return program_; }

  private:
    HeadlessPlatform platform_;
    Program program_{platform_};
    Driver ui_{program_.dialogs()};
};

void pass(benchmark::State& state, PlotKind kind, const char* plotSource) {
    Designed d;
    d.program().record().plotSource = plotSource;
    for (auto _ : state) {
        RecordingCanvas picture;
        benchmark::DoNotOptimize(paintPlot(d.program(), kind, picture));
    }
}

void BM_BoundaryPass(benchmark::State& state) {
    pass(state, PlotKind::Boundary, "None");
}
void BM_BoundaryPassWithSavedPaths(benchmark::State& state) {
    pass(state, PlotKind::Boundary, "Saved");
}
void BM_BoundaryPassWithNewPaths(benchmark::State& state) {
    pass(state, PlotKind::Boundary, "New");
}
void BM_PowerPass(benchmark::State& state) {
    pass(state, PlotKind::Power, "None");
}
void BM_ExpectedSizePass(benchmark::State& state) {
    pass(state, PlotKind::ExpectedSize, "None");
}

void BM_PowerCurve16Looks(benchmark::State& state) {
    Designed d;
    for (auto _ : state)
        benchmark::DoNotOptimize(powerFunction(d.program()));
}

void BM_ExpectedSizeCurve16Looks(benchmark::State& state) {
    Designed d;
    for (auto _ : state)
        benchmark::DoNotOptimize(expectedInformation(d.program()));
}

// What a repaint of the graphic window does before the painter draws: replay the picture.
void BM_RepaintBoundaryWithPaths(benchmark::State& state) {
    Designed d;
    d.program().record().plotSource = "Saved";
    RecordingCanvas picture;
    paintPlot(d.program(), PlotKind::Boundary, picture);
    for (auto _ : state) {
        RecordingCanvas window;
        picture.replay(window);
        benchmark::DoNotOptimize(window.calls().size());
    }
}

BENCHMARK(BM_BoundaryPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BoundaryPassWithSavedPaths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BoundaryPassWithNewPaths)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PowerPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedSizePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PowerCurve16Looks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedSizeCurve16Looks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintBoundaryWithPaths)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qalix
