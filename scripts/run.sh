#!/usr/bin/env bash
# Installs what is missing, builds and starts a program: scripts/run.sh pulsewise|sugarlog
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-pulsewise}
case "$program" in
  pulsewise | sugarlog) ;;
  *) echo "usage: scripts/run.sh pulsewise|sugarlog" >&2; exit 2 ;;
esac
bash scripts/setup.sh
bash scripts/build.sh
exe="build/$program/app/$program"
# A logbook an earlier build kept beside the program would be deleted with build/ (and would be
# used in place of the user's own): it moves to the program folder, or beside the logbook there.
if [ "$program" = sugarlog ] && [ -f build/sugarlog/app/Diabete.dbk ]; then
  data_home=${XDG_DATA_HOME:-$HOME/.local/share}
  mkdir -p "$data_home/sugarlog"
  if [ ! -e "$data_home/sugarlog/Diabete.dbk" ]; then
    mv build/sugarlog/app/Diabete.dbk "$data_home/sugarlog/Diabete.dbk"
    echo "Moved the logbook from build/sugarlog/app/ to $data_home/sugarlog/."
  else
    aside="$data_home/sugarlog/Diabete.dbk.from-build-$(date +%Y%m%d-%H%M%S)"
    mv build/sugarlog/app/Diabete.dbk "$aside"
    echo "Moved an older logbook from build/sugarlog/app/ to $aside; yours stays in place." >&2
  fi
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting $program under xvfb-run."
  exec xvfb-run -a "$exe"
fi
exec "$exe"
