#!/usr/bin/env bash
# Cross-builds the core, qalix and their tests for 64-bit Windows (the "windows" preset of
# CMakePresets.json, in build-windows/, with MinGW-w64) and runs every test under Wine.
# Arguments go to ctest (`scripts/windows.sh -R Files`); `--record` first records a green run
# of the committed sources in .ci/windows-verified, which lets CI skip the same build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
record=false
if [ "${1:-}" = --record ]; then
  record=true
  shift
  sources="$("$root/scripts/windows-sources.sh" --check-clean)"
fi
"$root/scripts/install-deps.sh" windows

# Wine keeps its own Windows installation (a prefix); one of the build's own, made before
# anything runs, so that parallel tests do not race to create it and nothing else is touched.
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wine}"
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true  # its status says little; the file does
  "$wineserver" --wait  # the registry is written when the server ends
  [ -f "$WINEPREFIX/system.reg" ] || { echo "Wine could not make $WINEPREFIX" >&2; exit 1; }
fi
cd "$root"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"

# One Wine server, kept until the script ends, for the tests: each program then starts in a
# fraction of a second instead of seconds. Not during the build: test discovery under it has
# been seen to hang.
# Wine's own services start with the first program and inherit its output: started here, with
# none, so that they hold no test's output open and ctest does not wait on them.
"$wineserver" --persistent
trap '"$wineserver" --kill 2>/dev/null || true' EXIT
"$wine" wineboot </dev/null >/dev/null 2>&1 || true
ctest --preset windows -j"$(nproc)" "$@"
if $record; then
  mkdir -p "$root/.ci"
  printf '%s\n%s\n' "$sources" "scripts/windows.sh on $(date -u +%Y-%m-%dT%H:%MZ), commit $(git -C "$root" rev-parse --short HEAD)" \
    >"$root/.ci/windows-verified"
  echo "Recorded in .ci/windows-verified: $sources"
fi
