// Grid operations every probability of the sequential design is built from.
//
// A grid is (x0, h, n): the n + 1 points x0 + i*h, i = 0..n, each computed from the integer i.
// A grid vector holds one value per point. A look-by-grid matrix holds M[k, i] for looks
// k = 1..K at offset (k - 1) + i*K, the look varying fastest. Callers own every buffer and
// guarantee its size; nothing here allocates or checks its arguments.
#pragma once

namespace qalix {

// Points of the tail window of PTAIL: mean +- 5 standard deviations in 100 intervals.
inline constexpr double kTailWindowSd = 5.0;
inline constexpr int kTailIntervals = 100;

// c[i] = a[i] * b[i], i = 0..n.
void PRODMT(const double* a, const double* b, double* c, int n);

// b[i] = a[i], i = 0..n.
void V2V(const double* a, double* b, int n);

// v[i] = M[k, i], i = 0..n, from a matrix with K looks.
void MT2TO1(const double* M, double* v, int K, int n, int k);

// v[i] = P(x0 + i*h, mu, t), i = 0..n.
void P2MT(double x0, double* v, int n, double h, double mu, double t);

// Density at x of a Brownian bridge at time s given the value y at time t (0 < s < t).
double QCOND(double x, double y, double s, double t);

// v[i] = QCOND(x0 + i*h, y, s, t), i = 0..n.
void QCOND2MT(double* v, int n, double x0, double h, double y, double s, double t);

// Probability that N(mu*t, t) lies beyond b on the side of b's sign, within mean +- 5 sd.
// Callers pass b != 0 and t > 0.
double PTAIL(double b, double mu, double t);

}  // namespace qalix
