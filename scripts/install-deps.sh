#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing GearSel need.
# Only packages that are missing are installed, so a second run is quick and quiet.
set -euo pipefail

packages=(
  make cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  qt6-l10n-tools
  xvfb xauth fonts-wqy-microhei fonts-arphic-uming qt6-translations-l10n poppler-utils
  dpkg-dev desktop-file-utils appstream man-db
  lintian devscripts debhelper
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
