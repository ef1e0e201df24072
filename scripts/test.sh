#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first in the normal build, then in
# the sanitizer build (the "sanitize" preset of CMakePresets.json, in build-asan/), where the
# program and every test run under AddressSanitizer and UndefinedBehaviorSanitizer; last, every
# fuzz target for FUZZ_SECONDS seconds (scripts/fuzz.sh, in build-fuzz/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${QALIX_BUILD_DIR:-$root/build}"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

cd "$root"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$(nproc)"
ctest --preset sanitize -j"$(nproc)"

"$root/scripts/fuzz.sh"
