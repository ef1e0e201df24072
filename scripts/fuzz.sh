#!/usr/bin/env bash
# Builds the fuzz targets (the "fuzz" preset of CMakePresets.json, in build-fuzz/) and runs
# each for FUZZ_SECONDS seconds (default 30), FUZZ_JOBS targets at a time (default: one per
# core). Fails when any target finds a crash, a leak, a timeout or a sanitizer report, and
# shows the input that did it. Arguments name the targets to run; none runs them all.
#
# Each target starts from its seeds in tests/fuzz/corpus/<target>/ and keeps what it finds in
# build-fuzz/fuzz/<target>/corpus/, so that later runs go on from there; a failing input is
# saved in build-fuzz/fuzz/<target>/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${FUZZ_SECONDS:-30}"
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

# One target for the given time. An input slower than 10 s is a hang; one that needs more
# than 2 GiB is a fault too.
run_target() {
  local target="$1" dir="$work/$1"
  mkdir -p "$dir/corpus"
  rm -f "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-* "$dir"/slow-unit-*
  if ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
     UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
     "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$dir/" \
       "$dir/corpus" "$root/tests/fuzz/corpus/$target" >"$dir/log" 2>&1; then
    echo "fuzz $target: passed ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log" |
      grep -o '[0-9]*$') inputs in ${seconds} s)"
    return 0
  fi
  echo "fuzz $target: FAILED"
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
