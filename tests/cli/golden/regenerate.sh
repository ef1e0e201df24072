#!/usr/bin/env bash
# Writes name.json for every line "name: options" of cases.txt with the qalix given, laid out
# one value per line (pretty.awk). Run it only after checking that the new outputs are meant:
# the golden test locks these designs.
set -euo pipefail
qalix="${1:?usage: regenerate.sh path/to/qalix}"
here="$(cd "$(dirname "$0")" && pwd)"
grep -v '^#' "$here/cases.txt" | while IFS= read -r line; do
  name="${line%%:*}"
  read -r -a args <<<"${line#*: }"
  "$qalix" "${args[@]}" | awk -f "$here/pretty.awk" >"$here/$name.json"
done
