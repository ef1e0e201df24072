#!/usr/bin/env bash
# Checks the Debian package as it installs: unpacks it into a throw-away root (nothing of this
# machine's own packages changes), then runs the installed programs from there: qalix computes
# a design and draws an SVG picture with the installed renderer, and qalixinf starts on Qt's
# offscreen platform to its panel and ends.
# Usage: scripts/install-test.sh [PACKAGE.deb]   (default: the newest in build/)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(ls -t "${QALIX_BUILD_DIR:-$root/build}"/qalix_*_*.deb | head -n 1)}"
target="$(mktemp -d)"
trap 'rm -rf "$target"' EXIT
dpkg-deb -x "$deb" "$target"
bin="$target/usr/bin"
echo "Installed $deb into $target"

fail() { echo "install test: $*" >&2; exit 1; }

out="$("$bin/qalix" fixed --solve m)"
grep -qx "panel.m: 24.73" <<<"$out" || fail "qalix fixed --solve m printed: $out"

(cd "$target" && "$bin/qalix" plot boundary --out x.svg)
grep -q "<svg" "$target/x.svg" || fail "qalix plot boundary wrote no SVG picture"

QT_QPA_PLATFORM=offscreen timeout 60 "$bin/qalixinf" --check-start ||
    fail "the installed qalixinf did not start to its panel"

test -s "$target/usr/share/man/man1/qalix.1.gz" || fail "no manual page for qalix"
echo "install test: passed"
