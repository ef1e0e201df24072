// Newton search with central differences for the boundary coefficient a whose
// rho(a; y) equals a target.
#pragma once

#include <vector>

namespace qalix {

inline constexpr double kSearchStart = 0.4;
inline constexpr double kSearchStep = 0.001;
inline constexpr double kSearchTolerance = 1e-4;
inline constexpr double kFlatSlope = 1e-12;
// Newton steps allow no natural limit; a search that has not converged after this many is
// not going to.
inline constexpr int kSearchIterationCap = 200;

enum class SearchEnd { Converged, FlatSlope, IterationCap };

struct SearchResult {
    double a = 0.0;
    double rho = 0.0;  // rho(a; y) at the returned a: within kSearchTolerance of the target
    SearchEnd end = SearchEnd::Converged;
    std::vector<double> iterates;  // every a evaluated as a_cur, the returned one last
};

// On return T holds the continuation table for the returned a. Where a Newton step would
// leave a > 0 the search goes on from the middle of the bracket its iterates have shown; every
// other step is Newton's. The search gives up after stepLimit steps.
SearchResult GETA(double rhoTarget, double* T, int n, int K, const double* t, double y,
                  int stepLimit = kSearchIterationCap);

}  // namespace qalix
