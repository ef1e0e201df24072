#!/usr/bin/env bash
# Recomputes the reference tables the engine, analysis and command-line tests hold
# (scripts/reference/crossing.R, trial_analysis.R and exact_levels.sh), installing R and mvtnorm
# first when they are missing. Arguments name the tables to write (crossing, calibration,
# stagewise, trial_analysis, exact_levels), all by default; exact_levels needs the built qalix
# in QALIX (default build/src/cli/qalix). Takes about half an hour on two cores (trial_analysis nine minutes of it), nearly all
# of it in the sixteen-look integrals. Only needed when a case changes.
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
tables=("$@")
[ ${#tables[@]} -gt 0 ] || tables=(crossing calibration stagewise trial_analysis exact_levels)
crossing=()
trial=false
levels=false
for table in "${tables[@]}"; do
  case "$table" in
    crossing | calibration | stagewise) crossing+=("$table") ;;
    trial_analysis) trial=true ;;
    exact_levels) levels=true ;;
    *) echo "No table $table" >&2; exit 2 ;;
  esac
done
if [ ${#crossing[@]} -gt 0 ]; then
  Rscript "$root/scripts/reference/crossing.R" "$root" "${crossing[@]}"
fi
if $trial; then
  Rscript "$root/scripts/reference/trial_analysis.R" "$root"
fi
if $levels; then
  "$root/scripts/reference/exact_levels.sh" "${QALIX:-$root/build/src/cli/qalix}"
fi
