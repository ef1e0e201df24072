// Composite Simpson rule over a grid vector.
#pragma once

namespace qalix {

// h/3 * (f[0] + 4*(f[1] + f[3] + ... + f[n-1]) + 2*(f[2] + ... + f[n-2]) + f[n]) over the
// n + 1 values f[0..n]. Callers guarantee an even n; h is used with its sign.
double SIMPSON(const double* f, int n, double h);

}  // namespace qalix
