// Hot paths of the sequential design engine on the designs the program meets most: equally
// spaced looks at the smallest preset maximum discordance, 0.01.
#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/stagewise.hpp"
#include "engine/absorption.hpp"
#include "engine/calibration.hpp"
#include "engine/coefficient_search.hpp"
#include "engine/crossing.hpp"
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

// The design's boundaries z t_k +- c(t_k) at the shown times, as Z values for the crossing
// probabilities.
std::vector<CrossingLook> familyLooks(int K, double a) {
    const double z = criticalValue();
    std::vector<CrossingLook> looks;
    for (const double t : shownTimes(K)) {
        const double c = halfWidth(a, t);
        looks.push_back({t, (z * t - c) / std::sqrt(t), (z * t + c) / std::sqrt(t)});
    }
    return looks;
}

// Every exit probability of a design at one drift: the goal is well under 16 ms at 16 looks.
void BM_crossingProbabilities(benchmark::State& state) {
    const int K = static_cast<int>(state.range(0));
    const std::vector<CrossingLook> looks = familyLooks(K, kSixteenLookA);
    for (auto _ : state) {
        benchmark::DoNotOptimize(crossingProbabilities(looks, 0.0).upper.data());
    }
}
BENCHMARK(BM_crossingProbabilities)->Arg(4)->Arg(kSixteenLooks)->Unit(benchmark::kMillisecond);

// The upper boundaries alone (the non-binding level): no lower boundary trims the grids, so
// every look carries all its points.
void BM_crossingProbabilitiesUpperOnly(benchmark::State& state) {
    std::vector<CrossingLook> looks = familyLooks(kSixteenLooks, kSixteenLookA);
    for (CrossingLook& look : looks)
        look.lower = -std::numeric_limits<double>::infinity();
    for (auto _ : state) {
        benchmark::DoNotOptimize(crossingProbabilities(looks, 0.0).upper.data());
    }
}
BENCHMARK(BM_crossingProbabilitiesUpperOnly)->Unit(benchmark::kMillisecond);

// p-value, median-unbiased estimate and both bounds after the last of K looks: four roots of
// G, each G one pass of the crossing probabilities.
void BM_stagewiseInference(benchmark::State& state) {
    const int K = static_cast<int>(state.range(0));
    const std::vector<CrossingLook> looks = familyLooks(K, kSixteenLookA);
    const double z = looks.back().upper + 0.3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(stagewiseInference(looks, z, 0.025).estimate);
    }
}
BENCHMARK(BM_stagewiseInference)->Arg(4)->Arg(kSixteenLooks)->Unit(benchmark::kMillisecond);

void BM_exactNonbindingCritical(benchmark::State& state) {
    const std::vector<double> t = shownTimes(kSixteenLooks);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            exactNonbindingCritical(kSixteenLookA, kSixteenLooks, t.data(), kAlpha));
    }
}
BENCHMARK(BM_exactNonbindingCritical)->Unit(benchmark::kMillisecond);

void BM_exactLevelCritical(benchmark::State& state) {
    const SixteenLooks d;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            exactLevelCritical(kSixteenLookA, kSixteenLooks, d.t.data(), kAlpha));
    }
}
BENCHMARK(BM_exactLevelCritical)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qalix
