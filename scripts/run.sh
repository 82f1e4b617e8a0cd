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
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting $program under xvfb-run."
  exec xvfb-run -a "$exe"
fi
exec "$exe"
