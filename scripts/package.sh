#!/usr/bin/env bash
# Builds the Debian package of both programs from a Release build in build-release/ and checks
# it: lintian finds no error, and the package holds each program, stripped, with its launcher,
# icon, metadata, manual page and modules. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=build-release
# Compiled objects are shared with other checkouts of the project (CI's clone) through ccache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
# No -Werror here: the other builds keep the warnings at zero, and a warning that only another
# compiler's optimiser finds must not stop a package.
# Installed under /usr, the modules go to /usr/lib/<multiarch>/<program>.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWITH_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target sugarlog pulsewise healthcharts_changelog
rm -f "$build_dir"/*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls "$build_dir"/*.deb)

lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" | tee "$build_dir/lintian.log"

contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for program in sugarlog pulsewise; do
  id=com.example.healthcharts.$program
  for path in ./usr/bin/$program ./usr/share/applications/$id.desktop \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/man/man1/$program.1.gz; do
    if ! grep -qxF "$path" <<<"$contents"; then
      echo "$deb lacks $path" >&2
      exit 1
    fi
  done
done
for module in sugarlog/downloads sugarlog/printing pulsewise/printing; do
  if ! grep -qE "^\./usr/lib/([^/]+/)?$module\.so\$" <<<"$contents"; then
    echo "$deb lacks the module $module.so" >&2
    exit 1
  fi
done
if grep -vE '^\./usr/(bin|lib|share/(applications|icons|metainfo|man|doc))(/|$)|^\./$|^\./usr/$|^\./usr/share/$' \
  <<<"$contents"; then
  echo "$deb installs the files above outside the programs' folders" >&2
  exit 1
fi
echo "$deb"
