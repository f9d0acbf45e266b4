#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Wayrunner Track developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package build/package/wayrunner-track_<version>_<arch>.deb
# (Release, with Debian's hardening flags, dependencies from dpkg-shlibdeps)
# and checks it: lintian, appstreamcli and desktop-file-validate on the files
# as the package holds them. Exits non-zero when a check reports an error.
set -euo pipefail
cd "$(dirname "$0")/.."
# With the tools only packaging needs, kept out of the ordinary list: the
# ordinary build and the tests do without them.
scripts/setup.sh dpkg-dev file lintian appstream desktop-file-utils

build=build/package
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The flags Debian builds its own packages with, all hardening included
# (fortified functions, stack protector, relocations read-only and bound at
# start).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
echo "== configure $build"
cmake -S . -B "$build" -G Ninja "${launcher[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DWR_BUILD_TESTS=OFF -DWR_DEBIAN_DOCS=ON >/dev/null
echo "== build"
nice -n 10 cmake --build "$build" -j2
echo "== package"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/*.deb)
ls -l "$deb"
dpkg-deb --field "$deb"

# The checks look at the files as the package holds them.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
echo "== contents"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'
failed=0
echo "== lintian"
lintian --fail-on error --display-info "$deb" || failed=1
echo "== appstreamcli validate"
# --no-net: the screenshots' addresses are checked for form, not fetched.
appstreamcli validate --no-net --explain "$tree"/usr/share/metainfo/*.metainfo.xml || failed=1
echo "== desktop-file-validate"
desktop-file-validate "$tree"/usr/share/applications/*.desktop && echo "no problems" || failed=1
if [ "$failed" != 0 ]; then
  echo "package checks reported errors"
  exit 1
fi
echo "package: $deb"
