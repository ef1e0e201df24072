// The continuation table and the discordance probability: how likely an early stop of the
// sequential test disagrees with the decision of the fixed-sample test on all the data.
//
// Information times are passed as t[0..K-1] (look k at t[k - 1]), 0 < t_1 < ... < t_K = 1.
#pragma once

#include "engine/geometry.hpp"

namespace qalix {

// Grid of the integrated discordance: final values -2..2 in 60 steps of 2/30.
inline constexpr int kDiscordanceHalfSteps = 30;
inline constexpr double kDiscordanceRange = 2.0;
// Tail window of TAILDISC: mean +- 4 standard deviations in 500 intervals.
inline constexpr double kBridgeWindowSd = 4.0;
inline constexpr int kBridgeTailIntervals = 500;

// Every n below is the outer grid's number of intervals, kGridIntervals..kMaxGridIntervals;
// the other grids scale with it (geometry.hpp).

// True when every half-width of the looks before the last is a positive number whose inner
// grid has at most kMaxInnerIntervals (scaled to n); LATN can only fill the table for such
// designs.
bool innerGridsFit(double a, int n, int K, const double* t);

// Fills the continuation table T by backward bridge integration. When innerGridsFit is false
// the table is filled with NaN instead, so every probability built on it is undefined.
void LATN(double a, double* T, int n, int K, const double* t);

// rho(a; y): the conditional discordance probability given X_1 = y. T must hold LATN's table
// for the same a, n, K and t.
double GETDISC(double a, const double* T, int n, int K, const double* t, double y);

// Tail probability beyond b of the bridge value at time s given X_1 = y, on the bridge grid
// of the outer grid n.
double TAILDISC(double b, double s, double y, int n = kGridIntervals);

// The discordance probability integrated against the standard normal over y in -2..2.
double MAXDISCP(double a, const double* T, int n, int K, const double* t);

}  // namespace qalix
