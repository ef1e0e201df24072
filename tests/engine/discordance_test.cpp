#include "engine/discordance.hpp"

#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/geometry.hpp"
#include "engine_test_support.hpp"
#include "numeric/grid.hpp"
#include "numeric/normal.hpp"
#include "numeric/simpson.hpp"

namespace qalix {
namespace {

using namespace qalix::testing;

// Straightforward LATN and GETDISC, built only from the grid toolkit exactly as the program
// composes it; the engine's vectorised kernels must agree with these.
double referenceBridge(double c, int N, double h, const double* W, double x, double s, double t) {
    std::array<double, kInnerCapacity> q;
    std::array<double, kInnerCapacity> p;
    QCOND2MT(q.data(), N, -c, h, x, s, t);
    PRODMT(q.data(), W, p.data(), N);
    return SIMPSON(p.data(), N, h);
}

void referenceLATN(double a, double* T, int n, int K, const double* t) {
    for (int i = 0; i <= n; ++i)
        T[i * K] = 1.0;
    std::vector<double> W(kInnerCapacity, 1.0);
    std::vector<double> next(kInnerCapacity);
    const double U = outerLimit(a);
    for (int j = 2; j <= K; ++j) {
        const double cp = halfWidth(a, t[j - 2]);
        const int Np = 2 * static_cast<int>(std::lround(kInnerIntervalsPerUnit * cp));
        const double hp = 2.0 * cp / Np;
        const double cj = halfWidth(a, t[j - 1]);
        const double d = (U - cj) / n;
        for (int i = 0; i <= n; ++i) {
            T[(j - 1) + i * K] =
                referenceBridge(cp, Np, hp, W.data(), i * d + cj, t[j - 2], t[j - 1]);
        }
        if (j < K) {
            const int Nj = 2 * static_cast<int>(std::lround(kInnerIntervalsPerUnit * cj));
            const double hj = 2.0 * cj / Nj;
            for (int i = 0; i <= Nj; ++i) {
                next[i] = referenceBridge(cp, Np, hp, W.data(), i * hj - cj, t[j - 2], t[j - 1]);
            }
            V2V(next.data(), W.data(), Nj);
        }
    }
}

double referenceGETDISC(double a, const double* T, int n, int K, const double* t, double y) {
    const double U = outerLimit(a);
    double rho = TAILDISC(y < 0.0 ? U : -U, t[0], y);
    std::array<double, kOuterCapacity> q;
    std::array<double, kOuterCapacity> g;
    std::array<double, kOuterCapacity> p;
    for (int k = 1; k <= K - 1; ++k) {
        const double c = halfWidth(a, t[k - 1]);
        const double d = (U - c) / n;
        if (y < 0.0) {
            QCOND2MT(q.data(), n, c, d, y, t[k - 1], 1.0);
        } else {
            QCOND2MT(q.data(), n, -c, -d, y, t[k - 1], 1.0);
        }
        MT2TO1(T, g.data(), K, n, k);
        PRODMT(q.data(), g.data(), p.data(), n);
        rho = rho + SIMPSON(p.data(), n, d);
    }
    return rho;
}

double rhoAt(double a, const std::vector<double>& t, double y) {
    ContinuationTable T;
    const int K = static_cast<int>(t.size());
    LATN(a, T.data(), kN, K, t.data());
    return GETDISC(a, T.data(), kN, K, t.data(), y);
}

// With two looks the only early stop is at t_1 = 0.5, where the bridge given X_1 = y has mean
// y/2 and sd 1/2, and c_1 = sqrt(a/2): rho(a; y) = Phi(-sqrt(2a) - |y|).
double twoLookRho(double a, double y) {
    return exactPhi(-std::sqrt(2.0 * a) - std::abs(y));
}

// Tolerance against the two-look closed forms: every density uses pi = 3.141593, 5.5e-8 too
// small relatively, and Simpson's h^4/180*|f'''| on the outer step 0.04 is about 3e-8.
constexpr double kClosedFormTolerance = 1e-7;

TEST(DiscordanceTwoLooks, MatchesTheClosedFormAtTheCriticalValue) {
    const std::vector<double> t{0.5, 1.0};
    for (double a : {2.699, 2.109, 1.769}) {
        EXPECT_NEAR(rhoAt(a, t, 0.0), HNM(-std::sqrt(2.0 * a)), kClosedFormTolerance) << a;
        EXPECT_NEAR(rhoAt(a, t, 0.0), twoLookRho(a, 0.0), kClosedFormTolerance) << a;
    }
    // Worked values to the decimals quoted for them. At the search's start a = 0.4 the outer
    // grid starts near the bridge's peak, where Simpson's error grows to about 1.3e-7.
    EXPECT_NEAR(rhoAt(2.699, t, 0.0), 0.01008, 5e-6);
    EXPECT_NEAR(rhoAt(0.4, t, 0.0), 0.186, 5e-4);
    EXPECT_NEAR(rhoAt(0.4, t, 0.0), HNM(-std::sqrt(2.0 * 0.4)), 1e-6);
    EXPECT_NEAR(rhoAt(0.4, shownTimes(4), 0.0), 0.346, 5e-4);
}

TEST(DiscordanceTwoLooks, MatchesTheClosedFormAwayFromTheCriticalValue) {
    const std::vector<double> t{0.5, 1.0};
    for (double y : {-1.7, -0.4, 0.25, 1.3}) {
        EXPECT_NEAR(rhoAt(2.2, t, y), twoLookRho(2.2, y), kClosedFormTolerance) << y;
    }
}

TEST(DiscordanceTwoLooks, TableRowIsTheBridgeContinuationProbability) {
    // T[2, i] = Pr(|X_s| < c_1 | X_1 = x_i), the bridge at s having mean x*s and variance
    // s(1 - s). Tolerance: the pi constant (5.5e-8 relative) dominates the inner Simpson error.
    for (double s : {0.5, 0.3}) {
        const double a = 2.5;
        const std::vector<double> t{s, 1.0};
        ContinuationTable T;
        LATN(a, T.data(), kN, 2, t.data());
        const double c = halfWidth(a, s);
        const double sd = std::sqrt(s * (1.0 - s));
        const double d = outerLimit(a) / kN;
        for (int i = 0; i <= kN; i += 10) {
            const double m = i * d * s;
            const double expected = exactPhi((c - m) / sd) - exactPhi((-c - m) / sd);
            EXPECT_NEAR(T.data()[1 + 2 * i], expected, kClosedFormTolerance) << s << " " << i;
            EXPECT_EQ(T.data()[2 * i], 1.0);
        }
    }
}

struct PresetRow {
    double target;
    std::array<double, 9> a;  // K = 2..10
};

TEST(DiscordancePresets, EveryPresetCoefficientGivesItsMaximumDiscordance) {
    // The preset list offers these coefficients as the ones reaching 0.01, 0.02 and 0.03 for
    // equally spaced looks; they were found to three decimals, which moves rho by < 2e-4.
    const std::array<PresetRow, 3> rows{{
        {0.01, {2.699, 3.271, 3.595, 3.819, 3.987, 4.121, 4.232, 4.325, 4.401}},
        {0.02, {2.109, 2.645, 2.953, 3.166, 3.327, 3.456, 3.562, 3.652, 3.729}},
        {0.03, {1.769, 2.285, 2.583, 2.789, 2.945, 3.068, 3.170, 3.257, 3.329}},
    }};
    for (const PresetRow& row : rows) {
        for (int K = 2; K <= 10; ++K) {
            EXPECT_NEAR(rhoAt(row.a[K - 2], shownTimes(K), 0.0), row.target, 2e-4)
                << "K = " << K << ", a = " << row.a[K - 2];
        }
    }
}

TEST(DiscordancePresets, ThreeLooksShowOnePercentToFourDecimals) {
    const std::vector<double> t = shownTimes(3);
    EXPECT_EQ(t[0], 0.333);
    EXPECT_EQ(t[1], 0.667);
    EXPECT_NEAR(rhoAt(3.271, t, 0.0), 0.0100, 5e-5);  // shown as 0.0100
    EXPECT_NEAR(rhoAt(3.595, shownTimes(4), 0.0), 0.0100, 5e-5);
}

TEST(DiscordanceShape, IsSymmetricInTheFinalValue) {
    // Mirror-image grids give the same terms, so the two sides agree to rounding.
    const std::vector<double> equal = shownTimes(4);
    const std::vector<double> unequal{0.2, 0.45, 0.8, 1.0};
    for (const auto& t : {equal, unequal}) {
        for (double y : {0.1, 0.7, 1.9}) {
            EXPECT_NEAR(rhoAt(3.0, t, y), rhoAt(3.0, t, -y), 1e-15) << y;
        }
    }
}

TEST(DiscordanceShape, IsLargestAtTheCriticalValueAndFallsWithA) {
    const std::vector<double> t = shownTimes(5);
    const double atZero = rhoAt(3.0, t, 0.0);
    for (double y : {-1.0, -0.3, 0.05, 0.6})
        EXPECT_LT(rhoAt(3.0, t, y), atZero) << y;
    EXPECT_GT(rhoAt(2.0, t, 0.0), rhoAt(3.0, t, 0.0));
    EXPECT_GT(rhoAt(3.0, t, 0.0), rhoAt(4.0, t, 0.0));
}

TEST(DiscordanceShape, OneLookHasNoEarlyStop) {
    EXPECT_EQ(rhoAt(3.0, {1.0}, 0.0), 0.0);
    EXPECT_EQ(rhoAt(3.0, {1.0}, -0.5), 0.0);
}

TEST(TailDiscordance, IsZeroBeyondTheWindowAndABridgeTailInside) {
    // The engine passes |b| = U >= 8, beyond the 4-sd window of at most 2.
    EXPECT_EQ(TAILDISC(8.0, 0.25, 0.0), 0.0);
    EXPECT_EQ(TAILDISC(-8.0, 0.25, 1.5), 0.0);
    // Inside the window: Pr(N(y*s, s(1 - s)) > b) truncated at 4 sd (3.2e-5 missing) with the
    // pi constant and Simpson on 500 intervals; 1e-4 covers them.
    const double s = 0.5;
    const double sd = std::sqrt(s * (1.0 - s));
    EXPECT_NEAR(TAILDISC(0.5, s, 1.0), exactPhi(-(0.5 - 0.5) / sd), 1e-4);
    EXPECT_NEAR(TAILDISC(-0.2, s, 0.0), exactPhi(-0.2 / sd), 1e-4);
}

TEST(MaxDiscordance, MatchesWorkedValues) {
    ContinuationTable T;
    const std::vector<double> two{0.5, 1.0};
    LATN(2.699, T.data(), kN, 2, two.data());
    EXPECT_NEAR(MAXDISCP(2.699, T.data(), kN, 2, two.data()), 0.00252, 5e-6);
    const std::vector<double> four = shownTimes(4);
    LATN(3.595, T.data(), kN, 4, four.data());
    EXPECT_NEAR(MAXDISCP(3.595, T.data(), kN, 4, four.data()), 0.00248, 5e-6);
}

TEST(MaxDiscordance, MatchesTheTwoLookIntegral) {
    // Integral of Phi(-sqrt(2a) - |y|) * phi(y) over -2..2 by a fine Simpson rule. Tolerance:
    // Simpson's error on 60 steps (the kink at y = 0 is a panel end) plus the pi constant.
    const std::vector<double> t{0.5, 1.0};
    for (double a : {2.699, 1.5}) {
        constexpr int kFine = 20000;
        const double h = 2.0 / kFine;
        double sum = 0.0;
        for (int i = 0; i <= kFine; ++i) {
            const double y = i * h;
            const double weight = (i == 0 || i == kFine) ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
            sum += weight * twoLookRho(a, y) * std::exp(-y * y / 2.0) /
                   std::sqrt(2.0 * std::numbers::pi);
        }
        const double exact = 2.0 * sum * h / 3.0;
        ContinuationTable T;
        LATN(a, T.data(), kN, 2, t.data());
        const double onGrid = MAXDISCP(a, T.data(), kN, 2, t.data());
        EXPECT_NEAR(onGrid, exact, 1e-7) << a;
        // Four times finer in every grid: nearer still, down to the reference's own error.
        LATN(a, T.data(), kMaxGridIntervals, 2, t.data());
        const double finer = MAXDISCP(a, T.data(), kMaxGridIntervals, 2, t.data());
        EXPECT_LT(std::abs(finer - exact), std::max(std::abs(onGrid - exact) / 5.0, 2e-9)) << a;
    }
}

TEST(FinerGrid, KeepsTheDesignsTheProgramsGridTakesAndMovesTheirProbabilitiesByItsError) {
    const std::vector<double> t{0.25, 0.5, 0.75, 1.0};
    // Half-widths the program's inner grids hold hold on the finer grid too.
    EXPECT_TRUE(innerGridsFit(2.953, kMaxGridIntervals, 4, t.data()));
    EXPECT_FALSE(innerGridsFit(250.0, kMaxGridIntervals, 4, t.data()));
    ContinuationTable T;
    LATN(2.953, T.data(), kN, 4, t.data());
    const double rho = GETDISC(2.953, T.data(), kN, 4, t.data(), 0.0);
    LATN(2.953, T.data(), kMaxGridIntervals, 4, t.data());
    EXPECT_NEAR(GETDISC(2.953, T.data(), kMaxGridIntervals, 4, t.data(), 0.0), rho, 1e-5);
}

TEST(InnerGrids, FitOnlyForPositiveHalfWidthsWithinCapacity) {
    const std::vector<double> t = shownTimes(4);
    EXPECT_TRUE(innerGridsFit(2.953, kN, 4, t.data()));
    EXPECT_TRUE(innerGridsFit(3.0, kN, 1, std::vector<double>{1.0}.data()));
    EXPECT_FALSE(innerGridsFit(250.0, kN, 4, t.data()));  // 2*nint(50*11.18) = 1118 intervals
    EXPECT_FALSE(innerGridsFit(-0.5, kN, 4, t.data()));   // half-widths undefined
    EXPECT_FALSE(innerGridsFit(0.0, kN, 4, t.data()));    // no continuation region
    // c = 10 at t = 0.5 gives exactly 1000 intervals; a = 202 gives 1006.
    const std::vector<double> half{0.5, 1.0};
    EXPECT_TRUE(innerGridsFit(200.0, kN, 2, half.data()));
    EXPECT_FALSE(innerGridsFit(202.0, kN, 2, half.data()));
    // A look at t = 0 or 1 before the last has a zero half-width.
    EXPECT_FALSE(innerGridsFit(3.0, kN, 3, std::vector<double>{0.0, 0.5, 1.0}.data()));
    EXPECT_FALSE(innerGridsFit(3.0, kN, 3, std::vector<double>{0.5, 1.0, 1.0}.data()));
}

TEST(InnerGrids, DesignThatDoesNotFitGivesAnUndefinedTable) {
    const std::vector<double> t = shownTimes(4);
    const int K = 4;
    constexpr double kSentinel = -7.0;
    std::vector<double> T(K * (kN + 1) + 8, kSentinel);
    for (double a : {250.0, -1.0}) {
        LATN(a, T.data(), kN, K, t.data());
        for (int e = 0; e < K * (kN + 1); ++e)
            ASSERT_TRUE(std::isnan(T[e])) << e;
        for (std::size_t e = K * (kN + 1); e < T.size(); ++e)
            EXPECT_EQ(T[e], kSentinel);
        EXPECT_TRUE(std::isnan(GETDISC(a, T.data(), kN, K, t.data(), 0.0)));
    }
}

// The engine's kernels evaluate exp in vector form; everything else is the same arithmetic,
// so they agree with the plain loops to a few units in the last place of the sums.
constexpr double kKernelTolerance = 1e-12;

struct Design {
    double a;
    std::vector<double> t;
};

std::vector<Design> kernelDesigns() {
    return {{2.953, shownTimes(4)},
            {4.733, shownTimes(16)},
            {3.0, {0.2, 0.45, 0.8, 1.0}},
            {0.4, shownTimes(3)},
            {150.0, {0.1, 0.5, 1.0}}};
}

TEST(DiscordanceKernels, TableMatchesThePlainLoops) {
    for (const Design& design : kernelDesigns()) {
        const int K = static_cast<int>(design.t.size());
        ContinuationTable fast;
        ContinuationTable plain;
        LATN(design.a, fast.data(), kN, K, design.t.data());
        referenceLATN(design.a, plain.data(), kN, K, design.t.data());
        for (int e = 0; e < K * (kN + 1); ++e) {
            ASSERT_NEAR(fast.values[e], plain.values[e], kKernelTolerance)
                << "a = " << design.a << ", K = " << K << ", entry " << e;
        }
    }
}

TEST(DiscordanceKernels, DiscordanceMatchesThePlainLoops) {
    for (const Design& design : kernelDesigns()) {
        const int K = static_cast<int>(design.t.size());
        ContinuationTable T;
        referenceLATN(design.a, T.data(), kN, K, design.t.data());
        for (double y : {-2.0, -0.5, 0.0, 0.3, 1.9}) {
            EXPECT_NEAR(GETDISC(design.a, T.data(), kN, K, design.t.data(), y),
                        referenceGETDISC(design.a, T.data(), kN, K, design.t.data(), y),
                        kKernelTolerance)
                << "a = " << design.a << ", K = " << K << ", y = " << y;
        }
    }
}

}  // namespace
}  // namespace qalix
