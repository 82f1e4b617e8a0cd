#!/usr/bin/env bash
# Time from start to a mapped window of both programs, against a minimal Qt window (a main window
# with a menu bar and a label), under a virtual X server of its own:
#   bench/startup.sh [RUNS]            (20 by default; BUILD_DIR=build by default)
# After one warm-up round the cases start interleaved, one of each per round, each with its data
# in a scratch folder: the logbook empty and with 5000 tests, pulsewise with fresh settings and
# with 50 people. Prints each case's median and its ratio to the minimal window's median.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
build=${BUILD_DIR:-build}

if [ -z "${STARTUP_UNDER_XVFB:-}" ]; then
  cmake --build "$build" --target sugarlog pulsewise minimal_window startup_probe >/dev/null
  export STARTUP_UNDER_XVFB=1
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$@"
fi

probe="$build/bench/startup_probe"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A home of its own for a case: XDG data and config folders.
home_of() {
  mkdir -p "$scratch/$1/data/sugarlog" "$scratch/$1/config"
  echo "$scratch/$1"
}

# 5000 tests, four a day back from yesterday, newest first, as the logbook writes them.
write_logbook() {
  local now day=0 hour written=0
  now=$(date +%s)
  while ((written < 5000)); do
    day=$((day + 1))
    for hour in 22 17 12 07; do
      ((written < 5000)) || break
      printf '"%(%d/%m/%y)T","%s:15","0%d.%d","%s"\r\n' $((now - day * 86400)) "$hour" \
        $((4 + written % 6)) $((written % 10)) "$([ $((written % 5)) = 0 ] && echo repas)"
      written=$((written + 1))
    done
  done
}

write_people() {
  local slot
  printf '[Pulsewise]\r\nBirthday1=14/7/1985\r\nBirthname1=Person 1\r\n'
  printf 'Birthday2=2/2/1990\r\nBirthname2=Person 2\r\n'
  for slot in $(seq 1 50); do
    printf 'PeopleName %d=Person %d\r\nPeopleDate %d=%d/%d/19%d\r\n' "$slot" "$slot" "$slot" \
      $((1 + slot % 28)) $((1 + slot % 12)) $((50 + slot))
  done
}

empty=$(home_of sugarlog-empty)
full=$(home_of sugarlog-5000)
write_logbook >"$full/data/sugarlog/Diabete.dbk"
fresh=$(home_of pulsewise-fresh)
people=$(home_of pulsewise-50)
write_people >"$people/config/Hollowmere.ini"

names=("minimal window" "sugarlog, empty logbook" "sugarlog, 5000 tests"
  "pulsewise, fresh settings" "pulsewise, 50 people")
homes=("$empty" "$empty" "$full" "$fresh" "$people")
programs=("$build/bench/minimal_window" "$build/sugarlog/app/sugarlog" "$build/sugarlog/app/sugarlog"
  "$build/pulsewise/app/pulsewise" "$build/pulsewise/app/pulsewise")

start() {
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_DATA_HOME="${homes[$1]}/data" \
    XDG_CONFIG_HOME="${homes[$1]}/config" "$probe" "${programs[$1]}"
}

for i in "${!names[@]}"; do start "$i" >/dev/null; done # fills the caches of fonts and files
for round in $(seq 1 "$runs"); do
  for i in "${!names[@]}"; do start "$i" >>"$scratch/times.$i"; done
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
base=$(median "$scratch/times.0")
printf '%-28s %10s %7s   (median of %d starts, ms)\n' case median ratio "$runs"
for i in "${!names[@]}"; do
  m=$(median "$scratch/times.$i")
  printf '%-28s %10.1f %7.2f\n' "${names[$i]}" "$m" "$(awk -v a="$m" -v b="$base" 'BEGIN { print a / b }')"
done
