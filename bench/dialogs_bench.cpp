// One refresh of each operating-characteristics dialog for a 16-look design, driven as a
// user drives it: every spin step or typed mean recomputes at once on the window thread.
#include <benchmark/benchmark.h>

#include <string>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "designed_program.hpp"

namespace qalix {
namespace {

// Alternates between two values so that every step changes what is shown, while the
// dialog the opener shows is open; closes it after.
template <typename Step>
void refresh(benchmark::State& state, int opener, int dialog, Step step) {
    DesignedProgram d;
    d.platform().onModal(dialog, [&](Dialog&) {
        int i = 0;
        for (auto _ : state)
            step(d.ui(), i++ % 2);
        d.ui().close(dialog);
    });
    d.ui().click(opener);
}

void BM_BoundaryLookSpin(benchmark::State& state) {
    refresh(state, panel::kBoundaryButton, kBoundaryDialog,
            [](Driver& ui, int i) { ui.spin(kBoundaryDialog, boundaries::kLookSpin, 8 + i); });
}

void BM_SignificanceStageSpin(benchmark::State& state) {
    refresh(state, panel::kSignificanceButton, kSignificanceDialog, [](Driver& ui, int i) {
        ui.spin(kSignificanceDialog, significance::kStageSpin, 16 - i);
    });
}

void BM_ExpectedSizeDelta(benchmark::State& state) {
    refresh(state, panel::kExpectedSizeButton, kExpectedSizeDialog, [](Driver& ui, int i) {
        ui.type(kExpectedSizeDialog, expectedsize::kDeltaCombo, i ? "1.50000" : "2.50000");
    });
}

void BM_DiscordanceDelta(benchmark::State& state) {
    refresh(state, panel::kDiscordanceButton, kDiscordanceDialog, [](Driver& ui, int i) {
        ui.type(kDiscordanceDialog, discordance::kDeltaCombo, i ? "1.50000" : "2.50000");
    });
}

BENCHMARK(BM_BoundaryLookSpin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SignificanceStageSpin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpectedSizeDelta)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiscordanceDelta)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qalix
