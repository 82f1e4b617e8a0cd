#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need, only those missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps imagemagick fonts-dejavu-core locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# A French locale, so the logbook can be tried in French.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR.utf8$'; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen && $sudo locale-gen >/dev/null || true
fi
