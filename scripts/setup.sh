#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need, only those missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache clang clang-format libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6svg6  # its image plugin draws the programs' SVG pictures
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick fonts-dejavu-core locales
  iputils-ping ghostscript  # ping for the connection check; Ghostscript reads printed pages in tests
  desktop-file-utils appstream qt6-translations-l10n
  dpkg-dev lintian  # the Debian package: dependencies from the libraries, its checks
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "Please run as root: $*" >&2
    exit 1
  fi
}

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
# A French locale, so the logbook can be tried in French.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf8$'; then
  as_root sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  as_root locale-gen >/dev/null || echo "Could not generate the French locale; French can't be tried." >&2
fi
