// The engine's kernels evaluate exp in vector lanes. Private to src/engine.
#pragma once

// ThreadSanitizer instruments the clones' resolver, which the loader runs before the sanitizer
// is set up: a thread-sanitized build takes the plain kernels.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__GLIBC__) && \
    !defined(__SANITIZE_THREAD__)
// Without -ffast-math GCC vectorises exp only when it is declared with SIMD variants; glibc's
// libmvec provides them. The kernels are cloned for AVX-512, AVX2 and plain x86-64 and the
// loader picks one for the machine, so the binary stays portable.
extern "C" double exp(double) noexcept __attribute__((simd("notinbranch")));
#define QALIX_VECTOR_KERNEL __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define QALIX_VECTOR_KERNEL
#endif

#include <algorithm>
#include <cmath>

namespace qalix {

// The vector exp leaves arguments below about -708.4 (results below the smallest normal
// number) to a scalar fallback costing some 30 ns a lane, and far out in the grids most
// arguments are such. So exp never sees them: below -708 the kernels take 0 where the
// scalar exp gives a subnormal number (at most 3.3e-308) or 0, a difference far below
// anything that shows in a probability, and a mass that cannot occur stays exactly 0. Kernels
// take the floor as a run-time value: a constant one would be folded away, fallback and all.
inline constexpr double kExpFloor = -708.0;

[[gnu::always_inline]] inline double kernelExp(double x, double floor) {
    const double e = std::exp(std::max(x, floor));
    return x < floor ? 0.0 : e;
}

}  // namespace qalix
