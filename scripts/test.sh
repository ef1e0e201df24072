#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first the desktop's tests in the
# normal build; then the Debian package made from it, installed into a throw-away root and run
# from there; then the sanitizer build (the "sanitize" preset of CMakePresets.json, in
# build-asan/), where the program and every other test run under AddressSanitizer and
# UndefinedBehaviorSanitizer; then every fuzz target for a fixed number of inputs from a fixed
# seed (scripts/fuzz.sh, in build-fuzz/), so that a commit's result does not depend on chance
# (fresh seeds are scripts/explore.sh's); last the Windows cross-build under Wine when its sources changed since its
# last green run (scripts/windows-ci.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Each stage says how long it took, so that the time CI allows is spent where it is seen.
stage_start=$SECONDS
stage() {
  echo "== $1 took $((SECONDS - stage_start)) s (total $SECONDS s)"
  stage_start=$SECONDS
}
"$root/scripts/install-deps.sh"
stage "installing packages"
# Configured as the package is, so that the package below reuses this build. The benchmarks
# are not built here: CI does not run them, and its twenty minutes are short. For the same
# reason the tests that need no desktop are built once, in the sanitizer build below, and run
# there; this build builds and runs the desktop's tests.
"$root/scripts/build.sh" -DCMAKE_INSTALL_PREFIX=/usr -DQALIX_BUILD_BENCH=OFF \
  -DQALIX_BUILD_CORE_TESTS=OFF
build="${QALIX_BUILD_DIR:-$root/build}"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
stage "the normal build and the desktop's tests"

"$root/scripts/package.sh"
"$root/scripts/install-test.sh"
stage "the package and its install test"

cd "$root"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$(nproc)"
stage "the sanitizer build"
ctest --preset sanitize -j"$(nproc)"
stage "the tests under the sanitizers"

# A fixed seed and number of inputs a target; fresh seeds and longer runs are
# scripts/explore.sh's (README, Fuzzing).
FUZZ_SECONDS="" FUZZ_SEED=1 FUZZ_RUNS="" "$root/scripts/fuzz.sh"
stage "the fuzz targets"

"$root/scripts/windows-ci.sh"
stage "the Windows stage"
