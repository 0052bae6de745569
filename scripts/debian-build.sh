#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the source and binary packages of debian/ the way a distribution would: the last
# commit (git archive HEAD, so nothing uncommitted) unpacked into OUT_DIR (build/debian by
# default), then dpkg-buildpackage -us -uc in it. Then lintian checks the result at pedantic
# level, and the binary package must hold the same files as the one make package writes, when
# that one is there. Needs the build dependencies of debian/control (scripts/install-deps.sh
# installs them); takes about ten minutes on two busy cores, as it builds the programs anew.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/debian}")
version=$(dpkg-parsechangelog -S Version)
rm -rf "$out"
mkdir -p "$out"
git archive --format=tar --prefix="gearsel-$version/" HEAD | tar -x -C "$out"
export DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}"
(cd "$out/gearsel-$version" && dpkg-buildpackage -us -uc)

echo "lintian --pedantic:"
lintian --pedantic --fail-on error,warning "$out"/gearsel_"${version}"_*.changes \
  2> >(grep -v "running with root privileges" >&2)

# The files of a package with their modes, one a line; dpkg-deb lists the top folder "./"
# only for some packers.
contents() {
  dpkg-deb -c "$1" | awk '$6 != "./" {print $1, $6}' | sort -k2
}
shopt -s nullglob
built=("$out"/gearsel_"${version}"_*.deb)
packed=(build/package/gearsel_"${version}"_*.deb)
if [ ${#packed[@]} = 1 ]; then
  if ! diff <(contents "${packed[0]}") <(contents "${built[0]}"); then
    echo "debian-build: ${built[0]} and ${packed[0]} hold different files" >&2
    exit 1
  fi
  echo "the same files as ${packed[0]}"
fi
echo "debian package: ${built[0]}"
