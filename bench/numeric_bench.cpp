// Cost of the normal distribution functions and of one density vector on the engine's 200-interval
// grid.
#include <benchmark/benchmark.h>

#include <array>

#include "numeric/grid.hpp"
#include "numeric/normal.hpp"

namespace {

// One distribution function: 201 densities and a Simpson sum.
void BM_HNM(benchmark::State& state) {
    double x = 1.2345;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(qalix::HNM(x));
    }
}
BENCHMARK(BM_HNM);

// One quantile: a few Newton steps, each an HNM and a PNM.
void BM_QNORM(benchmark::State& state) {
    double p = 0.95;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(qalix::QNORM(p));
    }
}
BENCHMARK(BM_QNORM);

// One density vector on 201 points, the engine's inner-loop unit.
void BM_P2MT_201(benchmark::State& state) {
    constexpr int n = 200;
    std::array<double, n + 1> v{};
    double x0 = -8.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x0);
        qalix::P2MT(x0, v.data(), n, 17.0 / n, 0.3, 0.24);
        benchmark::DoNotOptimize(v.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * (n + 1));
}
BENCHMARK(BM_P2MT_201);

}  // namespace
