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
# A logbook an earlier build kept beside the program would be deleted with build/; it moves to
# the program folder, unless one is there already.
if [ "$program" = sugarlog ] && [ -f build/sugarlog/app/Diabete.dbk ]; then
  data_home=${XDG_DATA_HOME:-$HOME/.local/share}
  mkdir -p "$data_home/sugarlog"
  if [ ! -e "$data_home/sugarlog/Diabete.dbk" ]; then
    mv build/sugarlog/app/Diabete.dbk "$data_home/sugarlog/Diabete.dbk"
    echo "Moved the logbook from build/sugarlog/app/ to $data_home/sugarlog/."
  else
    echo "Note: build/sugarlog/app/Diabete.dbk is an older logbook; yours is in $data_home/sugarlog/." >&2
  fi
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting $program under xvfb-run."
  exec xvfb-run -a "$exe"
fi
exec "$exe"
