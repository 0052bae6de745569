#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the window's translation up to date with the sources: every text in tr() (and its
# kin) of ui/, print/ and draw/ gets an entry in translations/gearsel_en.ts, a new text one marked
# unfinished, a text no longer in the sources one marked vanished. Fill in the English of the
# new entries (Qt Linguist, or by hand: the translation element, without type="unfinished")
# and delete the vanished ones. Entries carry no line numbers, so moving code changes nothing.
# Usage: scripts/update-translations.sh [TS_FILE]   (LUPDATE=path to choose the lupdate)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
ts=$(realpath -m "${1:-$top/translations/gearsel_en.ts}")
lupdate=${LUPDATE:-$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)/lupdate}
cd "$top"
"$lupdate" -silent -locations none -source-language zh_CN -target-language en -I . ui print draw \
  -ts "$ts"
