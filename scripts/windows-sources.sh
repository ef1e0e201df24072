#!/usr/bin/env bash
# The fingerprint of everything the Windows build reads: the committed contents of its
# sources, tests, build files and scripts (the desktop's Qt code aside, which it does not
# build). Equal fingerprints mean the same Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
paths=(src tests cmake resources CMakeLists.txt CMakePresets.json scripts/windows.sh
       scripts/install-deps.sh
       ':(exclude)src/platform/qt' ':(exclude)src/app' ':(exclude)tests/qt')
if [ "${1:-}" = --check-clean ] && [ -n "$(git status --porcelain -- "${paths[@]}")" ]; then
    echo "the Windows build's sources hold changes not committed" >&2
    exit 1
fi
git ls-files -s -- "${paths[@]}" | sha256sum | cut -d' ' -f1
