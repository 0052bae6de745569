#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window's English translation is complete and matches the sources: lupdate, run over the
# sources into a copy of translations/gearsel_en.ts, finds no text without its English (a new
# tr() that nobody translated) and none that the sources no longer hold (a text changed or
# removed in the code but not in the translation).
# Usage: translations_test.sh SOURCE_DIR LUPDATE
set -euo pipefail
top=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top/translations/gearsel_en.ts" "$work/gearsel_en.ts"
LUPDATE=$2 bash "$top/scripts/update-translations.sh" "$work/gearsel_en.ts"
status=0
for kind in unfinished vanished obsolete; do
  if grep -q "type=\"$kind\"" "$work/gearsel_en.ts"; then
    echo "FAIL: entries marked $kind (scripts/update-translations.sh, then fill them in):" >&2
    grep -B2 "type=\"$kind\"" "$work/gearsel_en.ts" | grep '<source>' >&2
    status=1
  fi
done
# An entry with an empty English would show an empty text.
if grep -q '<translation></translation>' "$work/gearsel_en.ts"; then
  echo "FAIL: entries with an empty translation" >&2
  status=1
fi
exit $status
