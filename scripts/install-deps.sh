#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
set -euo pipefail

# Build and tests, CLI11, which reads the command line, nlohmann-json, which reads and
# writes JSON, and Boost.Math (header-only: root finding and the normal quantile); the desktop's Qt 6 with its SVG module; the faces the dialogs and plots are drawn with; two readers of the metafiles the
# program writes (emf2svg for the records, Inkscape to draw whole plots); a PDF renderer; clang
# with libFuzzer and the sanitizer runtimes for the fuzz targets.
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev locales libcli11-dev
          nlohmann-json3-dev libboost-math-dev qt6-base-dev qt6-svg-dev fonts-liberation2 emf2svg inkscape
          poppler-utils clang libclang-rt-14-dev)

# Callers may ask for more (the package script: dpkg-dev, lintian, appstream).
read -r -a extra <<<"${QALIX_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

# `install-deps.sh windows` adds the Windows cross build (scripts/windows.sh): MinGW-w64 with
# posix threads, Wine to run what it builds, and GoogleTest's sources to build for Windows.
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64 googletest)
fi

# The number texts must not follow the user's locale; the tests check it under a German one.
ensure_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  [ "$(id -u)" -eq 0 ] || return 0
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  ensure_german_locale
  exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_german_locale
