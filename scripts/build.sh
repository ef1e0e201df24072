#!/usr/bin/env bash
# Configures and builds everything into build/ (or $QALIX_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QALIX_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQALIX_WERROR=ON "$@"
cmake --build "$build" -j"$(nproc)"
