#!/usr/bin/env bash
# Recomputes the reference tables the engine and analysis tests hold (scripts/reference/
# crossing.R), installing R and mvtnorm first when they are missing. Arguments name the tables
# to write (crossing, calibration, stagewise), all by default. Takes a quarter of an hour on two
# cores, nearly all of it in the sixteen-look integrals. Only needed when a case changes.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
missing=()
command -v Rscript >/dev/null || missing+=(r-base-core)
dpkg-query -W -f='${Status}' r-cran-mvtnorm 2>/dev/null | grep -q "install ok installed" ||
  missing+=(r-cran-mvtnorm)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
Rscript "$root/scripts/reference/crossing.R" "$root" "$@"
