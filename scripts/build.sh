#!/usr/bin/env bash
# Configures and builds everything into build/ (or $QALIX_BUILD_DIR) with the "default"
# preset of CMakePresets.json.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QALIX_BUILD_DIR:-$root/build}"
cd "$root"
cmake --preset default -B "$build" "$@"
cmake --build "$build" -j"$(nproc)"
