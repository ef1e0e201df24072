#include "engine/coefficient_search.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

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

// What the iterates have shown of the root: rho falls as a grows, so an a whose rho lies
// above the target is below the root and one whose rho lies below it is above. The root is
// positive, so 0 bounds it from below before any iterate does.
class Bracket {
  public:
    void add(double a, double rho, double target) {
        if (rho > target) below_ = std::max(below_, a);
        if (rho < target) above_ = std::min(above_, a);
    }
    // The middle of the bracket; the current a bounds it from above when no iterate has.
    double middle(double a) const { return 0.5 * (below_ + std::min(above_, a)); }

  private:
    double below_ = 0.0;
    double above_ = std::numeric_limits<double>::infinity();
};

}  // namespace

SearchResult GETA(double rhoTarget, double* T, int n, int K, const double* t, double y,
                  int stepLimit) {
    ContinuationTable scratch;
    SearchResult result;
    Bracket bracket;
    double a = kSearchStart;
    for (int step = 0;; ++step) {
        result.iterates.push_back(a);
        const Evaluation e = evaluate(a, T, scratch.data(), n, K, t, y);
        result.rho = e.r0;
        bracket.add(a, e.r0, rhoTarget);
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
        const double newton = a - (e.r0 - rhoTarget) * kDifferenceWidth / (e.rPlus - e.rMinus);
        // A Newton step that overshoots below 0 leaves the coefficients there are; the
        // bracket seen so far still holds the root.
        a = newton > 0.0 ? newton : bracket.middle(a);
    }
    result.a = a;
    return result;
}

}  // namespace qalix
