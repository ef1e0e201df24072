#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first in the normal build, then the
# Debian package made from it, installed into a throw-away root and run from there, then in
# the sanitizer build (the "sanitize" preset of CMakePresets.json, in build-asan/), where the
# program and every test run under AddressSanitizer and UndefinedBehaviorSanitizer; last, every
# fuzz target for FUZZ_SECONDS seconds (scripts/fuzz.sh, in build-fuzz/); and the Windows
# cross-build under Wine when its sources changed since its last green run
# (scripts/windows-ci.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
# Configured as the package is, so that the package below reuses this build. The benchmarks
# are not built here: CI does not run them, and its twenty minutes are short.
"$root/scripts/build.sh" -DCMAKE_INSTALL_PREFIX=/usr -DQALIX_BUILD_BENCH=OFF
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
