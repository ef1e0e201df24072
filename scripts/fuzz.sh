#!/usr/bin/env bash
# Builds the fuzz targets (the "fuzz" preset of CMakePresets.json, in build-fuzz/) and runs
# each, FUZZ_JOBS targets at a time (default: one per core). Fails when any target finds a
# crash, a leak, a timeout or a sanitizer report, and shows the input that did it. Arguments
# name the targets to run; none runs them all.
#
# By default a run is deterministic, as CI needs it: each target starts from its committed
# seeds in tests/fuzz/corpus/<target>/ alone, with the seed FUZZ_SEED (default 1), for the
# number of inputs tests/fuzz/ci_runs.txt gives it (about ten seconds each on CI's machine;
# FUZZ_RUNS overrides it for every target). The same commit then gives the same result.
#
# With FUZZ_SECONDS set, each target runs that long instead, with FUZZ_SEED (0: a fresh seed,
# which libFuzzer prints) and goes on from the inputs earlier such runs found in
# build-fuzz/fuzz/<target>/corpus/ (scripts/explore.sh runs it so). A failing input is saved
# in build-fuzz/fuzz/<target>/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${FUZZ_SECONDS:-}"
seed="${FUZZ_SEED:-1}"
jobs="${FUZZ_JOBS:-$(nproc)}"
build="$root/build-fuzz"
work="$build/fuzz"

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets <"$build/tests/fuzz/fuzz_targets.txt"
fi

# The inputs a target takes in a deterministic run.
runs_of() {
  if [ -n "${FUZZ_RUNS:-}" ]; then echo "$FUZZ_RUNS"; return; fi
  local runs
  runs="$(awk -v t="$1" '$1 == t { print $2 }' "$root/tests/fuzz/ci_runs.txt")"
  echo "${runs:-20000}"
}

# One target. An input slower than 10 s is a hang; one that needs more than 2 GiB is a fault
# too.
run_target() {
  local target="$1" dir="$work/$1" budget
  rm -f "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-* "$dir"/slow-unit-*
  if [ -n "$seconds" ]; then
    budget="-max_total_time=$seconds"
  else
    rm -rf "$dir/corpus"  # what another run found would make this one differ
    budget="-runs=$(runs_of "$target")"
  fi
  mkdir -p "$dir/corpus"
  if ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
     UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
     "$build/tests/fuzz/$target" "$budget" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$dir/" \
       "$dir/corpus" "$root/tests/fuzz/corpus/$target" >"$dir/log" 2>&1; then
    local inputs took
    inputs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log" | grep -o '[0-9]*$')"
    took="$(grep -o 'Done [0-9]* runs in [0-9]* second' "$dir/log" | grep -o 'in [0-9]*' |
      grep -o '[0-9]*' || echo "$seconds")"
    echo "fuzz $target: passed ($inputs inputs in $took s, $(grep -o 'Seed: [0-9]*' "$dir/log" |
      head -1))"
    return 0
  fi
  echo "fuzz $target: FAILED ($(grep -o 'Seed: [0-9]*' "$dir/log" | head -1))"
  grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|fuzz property broken)' "$dir/log" | head -5 || true
  tail -n 40 "$dir/log"
  for input in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*; do
    [ -e "$input" ] || continue
    echo "failing input: $input ($(stat -c %s "$input") bytes), from its start:"
    head -c 512 "$input" | od -A d -c | head -n 20
    echo "reproduce: $build/tests/fuzz/$target $input"
  done
  return 1
}

# FUZZ_JOBS targets at a time, each keeping one core busy. A target's report and result wait
# in its folder until all have ended, and are printed in the order of the list.
mkdir -p "$work"
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  mkdir -p "$work/$target"
  (
    status=0
    run_target "$target" >"$work/$target/summary" 2>&1 || status=$?
    echo "$status" >"$work/$target/status"
  ) &
  running=$((running + 1))
done
wait

failed=()
for target in "${targets[@]}"; do
  cat "$work/$target/summary"
  [ "$(cat "$work/$target/status")" = 0 ] || failed+=("$target")
done
[ ${#failed[@]} -eq 0 ] || echo "fuzz targets that failed: ${failed[*]}"
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
