#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that make package wrote into BUILD_DIR/package (build by default)
# the way Debian would, without installing it: lintian at pedantic level finds no error and no
# warning; both programs are hardened; packing the same build again gives the same bytes (with
# SOURCE_DATE_EPOCH, the time of the last commit, as make sets it); and the unpacked
# gearsel-cli finds the unpacked default data and makes the user's copy of it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shopt -s nullglob
debs=("$build"/package/gearsel_*.deb)
if [ ${#debs[@]} != 1 ]; then
  echo "check-package: not one package in $build/package; make package writes it" >&2
  exit 1
fi
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb --field "$deb" Package Version Architecture Depends

echo "lintian --pedantic:"
lintian --pedantic --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2)

# Control-flow integrity (IBT, SHSTK) is left out: Debian 12's own start files (Scrt1.o, crti.o)
# lack the property, so no program linked there has it, /bin/ls included.
echo "hardening-check:"
dpkg-deb -x "$deb" "$work/root"
hardening-check --nocfprotection "$work/root/usr/bin/gearsel" "$work/root/usr/bin/gearsel-cli"

echo "packed again:"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
if ! (cd "$build" && cpack -G DEB -B "$(realpath "$work")/again" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log" >&2
  exit 1
fi
if ! cmp "$deb" "$work/again/$(basename "$deb")"; then
  echo "check-package: two packs of the same build differ" >&2
  exit 1
fi
echo "the same bytes: $(sha256sum <"$deb" | cut -c1-16)"

# The unpacked gearsel-cli finds the unpacked default data and makes the user's copy of it.
env -u XDG_DATA_HOME HOME="$work/home" "$work/root/usr/bin/gearsel-cli" machines list >/dev/null
if [ ! -f "$work/home/.local/share/gearsel/system.lib" ]; then
  echo "check-package: the unpacked gearsel-cli made no data file of the user's" >&2
  exit 1
fi
echo "package: clean"
