#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Until the desktop window exists
# this runs the command line on the start-up design: m from alpha 0.05, power 0.80, mu_a 0.5
# and sigma 1. Arguments, when given, go to the command line instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
build="${QALIX_BUILD_DIR:-$root/build}"
if [ $# -eq 0 ]; then
  set -- fixed --solve m
fi
exec "$build/src/cli/qalix" "$@"
