#include "engine/coefficient_search.hpp"

#include <cmath>

#include "engine/discordance.hpp"
#include "engine/geometry.hpp"

namespace qalix {

namespace {

// Width of the central difference: a_cur - h to a_cur + h.
constexpr double kDifferenceWidth = 2.0 * kSearchStep;

// rho at a_cur and on either side of it, for the central difference.
struct Evaluation {
    double r0;
    double rMinus;
    double rPlus;
};

// The table for a_cur stays in T; the tables for a_cur -+ h go to the scratch table, so T
// always belongs to the a the search would return now.
Evaluation evaluate(double a, double* T, double* scratch, int n, int K, const double* t, double y) {
    Evaluation e{};
    LATN(a, T, n, K, t);
    e.r0 = GETDISC(a, T, n, K, t, y);
    LATN(a - kSearchStep, scratch, n, K, t);
    e.rMinus = GETDISC(a - kSearchStep, scratch, n, K, t, y);
    LATN(a + kSearchStep, scratch, n, K, t);
    e.rPlus = GETDISC(a + kSearchStep, scratch, n, K, t, y);
    return e;
}

// Also true when the difference is NaN, as it is once an iterate has left the designs LATN
// can fill.
bool slopeIsFlat(const Evaluation& e) {
    return !(std::abs(e.rMinus - e.rPlus) > kFlatSlope);
}

}  // namespace

SearchResult GETA(double rhoTarget, double* T, int n, int K, const double* t, double y,
                  int stepLimit) {
    ContinuationTable scratch;
    SearchResult result;
    double a = kSearchStart;
    for (int step = 0;; ++step) {
        result.iterates.push_back(a);
        const Evaluation e = evaluate(a, T, scratch.data(), n, K, t, y);
        if (std::abs(rhoTarget - e.r0) < kSearchTolerance) {
            result.end = SearchEnd::Converged;
            break;
        }
        if (slopeIsFlat(e)) {
            result.end = SearchEnd::FlatSlope;
            break;
        }
        if (step == stepLimit) {
            result.end = SearchEnd::IterationCap;
            break;
        }
        a = a - (e.r0 - rhoTarget) * kDifferenceWidth / (e.rPlus - e.rMinus);
    }
    result.a = a;
    return result;
}

}  // namespace qalix
