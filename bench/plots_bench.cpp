// One pass of each plot onto the recording canvas, as the plot dialog makes it when it opens,
// at "Refresh Plot" and at a resize, and the power and expected-size curves alone, for a
// 16-look design. A repaint of the graphic window replays the recording: also measured.
#include <benchmark/benchmark.h>

#include <string>

#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"
#include "designed_program.hpp"
#include "graphics/plot_pass.hpp"
#include "canvas/recording_canvas.hpp"
#include "samples/simulation_ids.hpp"

namespace qalix {
namespace {

constexpr int kSimulationSets = 10;
constexpr std::uint64_t kSeed = 17;

// The benchmarks' design in graphic mode, with ten simulated sets of 100 observations.
class Designed {
  public:
    Designed() {
        Driver& ui = d_.ui();
        ui.click(panel::kGraphicWindow);
        program().samples().fixedSeed = kSeed;
        ui.click(panel::kSimulatedSamples);
        for (int s = 0; s < kSimulationSets; ++s) {
            ui.type(kSimulationDialog, simulation::kMuCombo, "0.3");
            ui.type(kSimulationDialog, simulation::kSizeCombo, "100");
            ui.click(kSimulationDialog, simulation::kSelectSet);
        }
        ui.click(kSimulationDialog, simulation::kSimulate);
    }
    Program& program() { return d_.program(); }

  private:
    DesignedProgram d_;
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
