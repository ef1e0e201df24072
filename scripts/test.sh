#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first the desktop's tests in the
# normal build; then the Debian package made from it, installed into a throw-away root and run
# from there; then the sanitizer build (the "sanitize" preset of CMakePresets.json, in
# build-asan/), where the program and every other test run under AddressSanitizer and
# UndefinedBehaviorSanitizer; then every fuzz target for FUZZ_SECONDS seconds (scripts/fuzz.sh,
# in build-fuzz/); last the Windows cross-build under Wine when its sources changed since its
# last green run (scripts/windows-ci.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
# Configured as the package is, so that the package below reuses this build. The benchmarks
# are not built here: CI does not run them, and its twenty minutes are short. For the same
# reason the tests that need no desktop are built once, in the sanitizer build below, and run
# there; this build builds and runs the desktop's tests.
"$root/scripts/build.sh" -DCMAKE_INSTALL_PREFIX=/usr -DQALIX_BUILD_BENCH=OFF \
  -DQALIX_BUILD_CORE_TESTS=OFF
build="${QALIX_BUILD_DIR:-$root/build}"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

"$root/scripts/package.sh"
"$root/scripts/install-test.sh"

cd "$root"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$(nproc)"
ctest --preset sanitize -j"$(nproc)"

# Ten seconds a target in CI; longer sessions by hand (README, Fuzzing).
FUZZ_SECONDS="${FUZZ_SECONDS:-10}" "$root/scripts/fuzz.sh"

"$root/scripts/windows-ci.sh"
