// Hot paths of the sequential design engine on the designs the program meets most: equally
// spaced looks at the smallest preset maximum discordance, 0.01.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/absorption.hpp"
#include "engine/coefficient_search.hpp"
#include "engine/discordance.hpp"
#include "engine/geometry.hpp"
#include "numeric/normal.hpp"

namespace qalix {
namespace {

constexpr int kN = kGridIntervals;
constexpr double kRhoMax = 0.01;
// The coefficient the search finds for 16 equally spaced looks at rho_max 0.01.
constexpr double kSixteenLookA = 4.733;
constexpr int kSixteenLooks = 16;
constexpr int kPowerPoints = 50;
constexpr int kSizePoints = 80;
constexpr double kSizeLow = -10.0;
constexpr double kSizeHigh = 15.0;
constexpr float kAlpha = 0.05f;

// Information times k/K with 3 decimals, as the times dialog shows them.
std::vector<double> shownTimes(int K) {
    std::vector<double> t;
    for (int k = 1; k <= K; ++k)
        t.push_back(std::round(1000.0 * k / K) / 1000.0);
    return t;
}

float criticalValue() {
    return static_cast<float>(QNORM(1.0 - static_cast<double>(kAlpha)));
}

struct SixteenLooks {
    std::vector<double> t = shownTimes(kSixteenLooks);
    ContinuationTable T;
    SixteenLooks() { LATN(kSixteenLookA, T.data(), kN, kSixteenLooks, t.data()); }
};

void BM_LATN(benchmark::State& state) {
    SixteenLooks d;
    for (auto _ : state) {
        LATN(kSixteenLookA, d.T.data(), kN, kSixteenLooks, d.t.data());
        benchmark::DoNotOptimize(d.T.values.data());
    }
}
BENCHMARK(BM_LATN)->Unit(benchmark::kMicrosecond);

void BM_GETDISC(benchmark::State& state) {
    const SixteenLooks d;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            GETDISC(kSixteenLookA, d.T.data(), kN, kSixteenLooks, d.t.data(), 0.0));
    }
}
BENCHMARK(BM_GETDISC)->Unit(benchmark::kMicrosecond);

void BM_MAXDISCP(benchmark::State& state) {
    const SixteenLooks d;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            MAXDISCP(kSixteenLookA, d.T.data(), kN, kSixteenLooks, d.t.data()));
    }
}
BENCHMARK(BM_MAXDISCP)->Unit(benchmark::kMicrosecond);

// The whole search for K equally spaced looks, as the "Bound-Coeff" button runs it.
void BM_GETA(benchmark::State& state) {
    const int K = static_cast<int>(state.range(0));
    const std::vector<double> t = shownTimes(K);
    ContinuationTable T;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GETA(kRhoMax, T.data(), kN, K, t.data(), 0.0).a);
    }
}
BENCHMARK(BM_GETA)->Arg(4)->Arg(kSixteenLooks)->Unit(benchmark::kMillisecond);

void BM_PWRFUNC(benchmark::State& state) {
    const SixteenLooks d;
    std::vector<double> out(2 * (kPowerPoints + 1));
    for (auto _ : state) {
        PWRFUNC(kSixteenLookA, criticalValue(), d.T.data(), kGridIntervals, kSixteenLooks,
                d.t.data(), kPowerPoints, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_PWRFUNC)->Unit(benchmark::kMicrosecond);

void BM_EXPECSIZE(benchmark::State& state) {
    const SixteenLooks d;
    std::vector<double> out(kSizePoints + 1);
    for (auto _ : state) {
        EXPECSIZE(kSixteenLookA, criticalValue(), d.T.data(), kGridIntervals, kSixteenLooks,
                  d.t.data(), kSizePoints, kSizeLow, kSizeHigh, out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_EXPECSIZE)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qalix
