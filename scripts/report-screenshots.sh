#!/usr/bin/env bash
# Pictures of the design report as a reviewer sees it, kept in a folder as artefacts: the HTML
# report at K = 4 and K = 16 in headless Chromium, and the first page and the boundary table of
# their PDFs through pdftoppm. Exit 77 (skipped) when Chromium or pdftoppm is missing.
# Usage: scripts/report-screenshots.sh QALIX OUTPUT-FOLDER
set -euo pipefail
qalix="$1"
out="$2"
browser="$(command -v chromium || command -v chromium-browser || true)"
if [[ -z "$browser" ]] || ! command -v pdftoppm >/dev/null; then
    echo "report screenshots: skipped, Chromium or pdftoppm is not installed"
    exit 77
fi
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for looks in 4 16; do
    "$qalix" report --looks "$looks" --out "$work/report-$looks.html"
    "$qalix" report --looks "$looks" --out "$work/report-$looks.pdf"
    "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars \
        --window-size=1280,3000 --screenshot="$out/report-$looks-html.png" \
        "file://$work/report-$looks.html" 2>/dev/null
    pdftoppm -png -r 80 -f 1 -l 2 "$work/report-$looks.pdf" "$out/report-$looks-pdf"
done
# Every picture shows a page, not an empty or failed render.
for picture in "$out"/report-*.png; do
    [[ "$(stat -c %s "$picture")" -gt 20000 ]] || { echo "empty picture: $picture" >&2; exit 1; }
done
echo "report screenshots in $out"
