#include "numeric/simpson.hpp"

namespace qalix {

double SIMPSON(const double* f, int n, double h) {
    // The even sum runs up to f[n] and f[n] is taken off again at the end: that is the
    // order of summation the program's results depend on to the last bit.
    double odd = 0.0;
    double even = 0.0;
    for (int j = 1; j <= n / 2; ++j) {
        odd += f[2 * j - 1];
        even += f[2 * j];
    }
    return (f[0] + 4.0 * odd + 2.0 * even - f[n]) * h / 3.0;
}

}  // namespace qalix
