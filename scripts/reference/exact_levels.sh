#!/usr/bin/env bash
# Writes the boundaries the given qalix prints for each design of tests/cli/exact_levels/cases.txt
# (boundaries.csv: each look's time and S at both boundaries, as the boundary dialog shows them
# with --look-details), then their levels by multivariate normal integration (exact_levels.R,
# reference.csv): with the futility boundaries obeyed and ignored. Run through regenerate.sh
# after a change that moves those boundaries; takes a few minutes on two cores.
set -euo pipefail
qalix="${1:?usage: exact_levels.sh path/to/qalix}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
here="$root/tests/cli/exact_levels"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
out="$work/boundaries.csv"
echo '"case","alpha","level","look","t","lower_s","upper_s"' >"$out"
grep -v '^#' "$here/cases.txt" | while IFS= read -r line; do
  name="${line%%:*}"
  read -r -a args <<<"${line#*: }"
  "$qalix" "${args[@]}" --look-details >"$work/$name.out"
  alpha="$(sed -n 's/^values\.alpha: //p' "$work/$name.out")"
  level="exact"
  [[ " ${args[*]} " == *" exact-nonbinding "* ]] && level="exact-nonbinding"
  # Each look as the boundary dialog shows it: its time, and S at the two boundaries there.
  awk -v c="$name" -v a="$alpha" -v l="$level" '
    match($0, /^boundaries\[[0-9]+\]\.(infoTime|lowerStd|upperStd)\.value: /) {
      k = substr($0, 12, index($0, "]") - 12)
      field = substr($0, index($0, "]") + 2)
      field = substr(field, 1, index(field, ".") - 1)
      v[k, field] = substr($0, RLENGTH + 1)
      if (k + 0 > K + 0) K = k + 0
    }
    END {
      for (k = 1; k <= K; k++)
        printf "\"%s\",\"%s\",\"%s\",\"%d\",\"%s\",\"%s\",\"%s\"\n", c, a, l, k,
               v[k, "infoTime"], v[k, "lowerStd"], v[k, "upperStd"]
    }' "$work/$name.out" >>"$out"
done
cp "$out" "$here/boundaries.csv"
echo "wrote $here/boundaries.csv"
Rscript "$root/scripts/reference/exact_levels.R" "$root"
