#!/usr/bin/env bash
# Looks for faults with fresh seeds, for longer than CI does: every fuzz target for SECONDS
# seconds each (default 120) with a seed libFuzzer draws and prints, going on from what
# earlier explorations found (build-fuzz/fuzz/<target>/corpus/), then the random user in the
# sanitizer build for ACTIONS actions (default 200000) from a fresh seed.
#
#   scripts/explore.sh [SECONDS [ACTIONS]]
#
# Run it before a submission whose change touched a reader, the command line or the dialogs.
# What it finds is never left to chance again: a failing fuzz input goes into
# tests/fuzz/corpus/<target>/ (or a test row), and a failing random-user seed into the seed
# table of tests/random/random_user_test.cpp, each with its fault mended in the same commit.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-120}"
actions="${2:-200000}"
"$root/scripts/install-deps.sh"

status=0
FUZZ_SECONDS="$seconds" FUZZ_SEED=0 "$root/scripts/fuzz.sh" || status=1

cd "$root"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target random_user_tests -j"$(nproc)"
seed="$(od -An -N6 -tu8 /dev/urandom | tr -d ' ')"
echo "random user: seed $seed, $actions actions"
if ! ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
     UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
     QALIX_RANDOM_SEED="$seed" QALIX_RANDOM_ACTIONS="$actions" \
     build-asan/tests/random/random_user_tests --gtest_filter='RandomUserOfTheEnvironment.*'; then
  echo "random user: FAILED from seed $seed: add it to kSeeds in tests/random/random_user_test.cpp"
  status=1
fi
[ "$status" -eq 0 ] && echo "explore: nothing found" || echo "explore: faults found (above)"
exit "$status"
