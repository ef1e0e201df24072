#!/usr/bin/env bash
# The Windows stage of CI. The cross-build and its run under Wine take longer than CI's
# twenty minutes leave (about 17 minutes to build on two cores), so CI runs scripts/windows.sh
# only when the Windows build's sources changed since its last green run, which
# .ci/windows-verified records (scripts/windows.sh --record writes it after a green run on
# committed sources). Set QALIX_WINDOWS=always to run it regardless, or never to skip it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
record="$root/.ci/windows-verified"
mode="${QALIX_WINDOWS:-changed}"
if [ "$mode" = never ]; then
    echo "Windows: skipped (QALIX_WINDOWS=never)"
    exit 0
fi
now="$("$root/scripts/windows-sources.sh")"
if [ "$mode" != always ] && [ -f "$record" ] && [ "$(head -n 1 "$record")" = "$now" ]; then
    echo "Windows: these sources ($now) passed every test under Wine: $(sed -n 2p "$record")"
    exit 0
fi
echo "Windows: the sources changed since the last green run; building and testing them"
"$root/scripts/windows.sh"
