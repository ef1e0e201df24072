// A started program with a sequential design completed through the panel, the way a user
// gets to section 5, and an independent forward computation of the stopping and discordance
// probabilities to compare the dialogs with.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/info_time_ids.hpp"
#include "design/info_times.hpp"
#include "design/panel_ids.hpp"
#include "numeric/normal.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {

// The critical value the program keeps for alpha = 0.05: z_(1-alpha) in single precision.
inline float criticalValue() {
    return static_cast<float>(QNORM(1.0 - static_cast<double>(0.05f)));
}

// Standard normal distribution function and density, from the C library rather than the
// program's own functions.
inline double Phi(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}
inline double phi(double x) {
    return std::exp(-0.5 * x * x) / std::sqrt(2.0 * std::numbers::pi);
}

// Half-width of the continuation region of the centred statistic at information time t.
inline double boundaryHalfWidth(double a, double t) {
    return std::sqrt(2.0 * a * t * (1.0 - t));
}

inline bool isBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// The value with the given decimals by the C library's formatting: the text a fixed field
// must show.
inline std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// A list of true means: the given multiples of the mean, in text order (negatives first),
// each with a decimal point, the zero as the literal "0.0".
inline void expectMeanList(const std::vector<std::string>& list, double mean,
                           const std::vector<double>& multiples) {
    ASSERT_EQ(list.size(), multiples.size());
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_NE(std::find(list.begin(), list.end(), "0.0"), list.end());
    std::vector<double> values;
    for (const std::string& item : list) {
        EXPECT_NE(item.find('.'), std::string::npos) << item;
        values.push_back(std::stod(item));
    }
    std::sort(values.begin(), values.end());
    for (std::size_t i = 0; i < multiples.size(); ++i)
        EXPECT_DOUBLE_EQ(values[i], multiples[i] * mean) << i;
}
inline const std::vector<double> kShortMeanList = {-0.5, 0.0, 0.5, 1.0, 1.5};
inline const std::vector<double> kLongMeanList = {-1.0, -0.5, 0.0, 0.5, 1.0, 1.5, 2.0};

// How a test completes the design through the panel.
struct DesignSteps {
    int choice = panel::kNormseqDesign;
    std::string looks = "4";
    std::string rho = "0.02";
    std::string a;  // typed over the searched coefficient when given
};

// K looks equally spaced on information time, optionally with a typed coefficient.
inline DesignSteps brownianDesign(std::string looks = "4", std::string a = "") {
    return {panel::kBrownianDesign, std::move(looks), "0.02", std::move(a)};
}

// What a sequential test does with drift d of the centred statistic X_t = S_t - z*t,
// computed forward: the density of the paths still running is carried from look to look on
// a fine grid, with closed forms for the mass that crosses each boundary. The program
// instead integrates backward over Brownian bridges on coarser grids; both converge to the
// same probabilities.
struct ForwardReference {
    std::vector<double> sig;  // stop at the upper boundary of look k (index k-1)
    std::vector<double> fut;  // stop at the lower boundary of look k
    // Early stop (before the last look) on one side while X_1 ends on the other, with X_1
    // restricted to [-2, 0] after an upper stop and to [0, 2] after a lower stop.
    double discordantSig = 0.0;
    double discordantFut = 0.0;

    double probabilitySig() const { return sum(sig); }
    double probabilityFut() const { return sum(fut); }
    double expectedTime(const std::vector<double>& t) const {
        return weighted(sig, t) + weighted(fut, t);
    }
    double expectedTimeGivenSig(const std::vector<double>& t) const {
        return weighted(sig, t) / probabilitySig();
    }
    double expectedTimeGivenFut(const std::vector<double>& t) const {
        return weighted(fut, t) / probabilityFut();
    }
    // Probability of the event by look k (1-based): the masses of looks 1..k.
    static double by(const std::vector<double>& v, int k) {
        double s = 0.0;
        for (int j = 0; j < k; ++j)
            s += v[static_cast<std::size_t>(j)];
        return s;
    }
    static double weighted(const std::vector<double>& v, const std::vector<double>& t) {
        double s = 0.0;
        for (std::size_t k = 0; k < t.size(); ++k)
            s += v[k] * t[k];
        return s;
    }
    static double sum(const std::vector<double>& v) {
        double s = 0.0;
        for (double x : v)
            s += x;
        return s;
    }
};

namespace detail {

// Composite Simpson over n (even) intervals of f(lo + i*h).
template <typename F>
double simpson(double lo, double hi, int n, F f) {
    const double h = (hi - lo) / n;
    double s = f(lo) + f(hi);
    for (int i = 1; i < n; ++i)
        s += (i % 2 == 1 ? 4.0 : 2.0) * f(lo + i * h);
    return s * h / 3.0;
}

}  // namespace detail

inline ForwardReference forwardReference(double a, double drift, const std::vector<double>& t) {
    constexpr int kN = 400;  // Simpson intervals across a continuation region
    const std::size_t K = t.size();
    ForwardReference r;
    // Running density on the continuation interval of the previous look.
    std::vector<double> running(kN + 1);
    double previousC = 0.0;
    double previousT = 0.0;
    for (std::size_t k = 0; k < K; ++k) {
        const double c = boundaryHalfWidth(a, t[k]);
        const double span = t[k] - previousT;
        const double mean = drift * span;
        const double sd = std::sqrt(span);
        const double h = 2.0 * previousC / kN;
        // Integral of the running density against g(y): the mass that reached look k from y.
        const auto fromRunning = [&](auto g) {
            double s = 0.0;
            for (int i = 0; i <= kN; ++i) {
                const double w = (i == 0 || i == kN) ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
                s += w * running[static_cast<std::size_t>(i)] * g(-previousC + i * h);
            }
            return s * h / 3.0;
        };
        // Density of X at look k, at x, on paths still running after look k-1.
        const auto densityAt = [&](double x) {
            if (k == 0) return phi((x - mean) / sd) / sd;
            return fromRunning([&](double y) { return phi((x - y - mean) / sd) / sd; });
        };
        if (k == 0) {
            r.sig.push_back(1.0 - Phi((c - mean) / sd));
            r.fut.push_back(Phi((-c - mean) / sd));
        } else {
            r.sig.push_back(fromRunning([&](double y) { return 1.0 - Phi((c - y - mean) / sd); }));
            r.fut.push_back(fromRunning([&](double y) { return Phi((-c - y - mean) / sd); }));
        }
        if (k + 1 == K) break;
        // Stopped early: where X_1 = x + N(drift*(1-t), 1-t) ends decides the discordance.
        const double rest = 1.0 - t[k];
        const double restMean = drift * rest;
        const double restSd = std::sqrt(rest);
        const double reach = 10.0 * sd;
        r.discordantSig += detail::simpson(c, c + reach, kN, [&](double x) {
            return densityAt(x) *
                   (Phi((0.0 - x - restMean) / restSd) - Phi((-2.0 - x - restMean) / restSd));
        });
        r.discordantFut += detail::simpson(-c - reach, -c, kN, [&](double x) {
            return densityAt(x) *
                   (Phi((2.0 - x - restMean) / restSd) - Phi((0.0 - x - restMean) / restSd));
        });
        std::vector<double> next(kN + 1);
        const double step = 2.0 * c / kN;
        for (int i = 0; i <= kN; ++i)
            next[static_cast<std::size_t>(i)] = densityAt(-c + i * step);
        running = std::move(next);
        previousC = c;
        previousT = t[k];
    }
    return r;
}

class DesignedProgram : public StartedProgram {
  protected:
    // Looks, information times (the dialog's defaults), the coefficient searched from rho,
    // then "rho" with the a the combo shows (a typed one, or the search's), and
    // "Sequential Design".
    void completeDesign(const DesignSteps& steps = {}) {
        using namespace panel;
        if (steps.choice != kNormseqDesign) ui.click(steps.choice);
        ui.type(kLooksCombo, steps.looks);
        whenShown(kInfoTimeDialog, infotimes::kOk);
        ui.click(steps.choice == kBrownianDesign ? kInfoTimesButton : kGroupSizesButton);
        ui.type(kRhoCombo, steps.rho);
        ui.click(kCoeffButton);
        if (!steps.a.empty()) ui.type(kCoeffCombo, steps.a);
        ui.click(kRhoButton);
        ui.click(kSequentialDesignButton);
        ASSERT_TRUE(takeMessages().empty());
    }

    // The boundary coefficient as the panel shows it, which every dialog reads.
    double coefficient() { return std::stod(ui.text(panel::kCoeffCombo)); }

    // The information times the engine integrates over, as the times dialog shows them.
    std::vector<double> shownTimes() {
        std::vector<double> t;
        for (int k = 0; k < record().numLooks; ++k)
            t.push_back(
                std::stod(ui.text(kInfoTimeDialog, infotimes::kTime[static_cast<std::size_t>(k)])));
        return t;
    }

    double shown(int dialog, int control) { return std::stod(ui.text(dialog, control)); }

    std::vector<std::string> items(int dialog, int combo) { return ui.items(dialog, combo); }

    ForwardReference reference(double delta) {
        return forwardReference(coefficient(), delta - criticalValue(), shownTimes());
    }
};

}  // namespace qalix::testing
