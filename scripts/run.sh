#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. Arguments, when given,
# go to the command-line program qalix instead (for example: scripts/run.sh design --looks 4).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${QALIX_BUILD_DIR:-$root/build}"
if [ $# -gt 0 ]; then
  exec "$build/src/cli/qalix" "$@"
fi
exec "$build/src/app/qalixinf"
