#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/spdx.sh on a small checkout of its own: --check lists exactly the sources without the
# licence line, --fix adds it in each file's comment syntax (after a #! line, keeping the mode)
# and leaves everything else alone, and a second --fix changes nothing.
# Usage: spdx_test.sh SCRIPT
set -euo pipefail
script=$(realpath "$1")
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
repo=$(mktemp -d)
trap 'rm -rf "$repo"' EXIT
tag="SPDX-License-Identifier: GPL-3.0-or-later"
cd "$repo"
git init -q .
mkdir -p engine scripts packaging .ci
printf 'int answer();\n' >engine/a.h
printf '// %s\n#include "a.h"\n' "$tag" >engine/a.cpp
printf '#!/usr/bin/env bash\necho hi\n' >scripts/run.sh
chmod 755 scripts/run.sh
printf '#!/usr/bin/env bash\nmake test\n' >.ci/run
printf 'add_library(a a.cpp)\n' >engine/CMakeLists.txt
printf '.TH A 1\n' >packaging/a.1.in
printf '# Notes\n' >README.md
printf '<svg/>\n' >packaging/a.svg
: >engine/empty.h
git add -A
printf 'all:\n\ttrue\n' >Makefile # not added yet: still checked

status=0
listed=$(bash "$script" --check "$repo" 2>/dev/null) || status=$?
[ "$status" = 1 ] || fail "--check: status $status"
expected=".ci/run
Makefile
engine/CMakeLists.txt
engine/a.h
engine/empty.h
packaging/a.1.in
scripts/run.sh"
[ "$listed" = "$expected" ] || fail "--check listed: $listed"

untouched=$(sha256sum engine/a.cpp README.md packaging/a.svg)
bash "$script" --fix "$repo" >/dev/null
[ "$(cat engine/a.h)" = "// $tag
int answer();" ] || fail "a.h: $(cat engine/a.h)"
[ "$(cat engine/empty.h)" = "// $tag" ] || fail "empty.h: $(cat engine/empty.h)"
[ "$(cat scripts/run.sh)" = "#!/usr/bin/env bash
# $tag
echo hi" ] || fail "run.sh: $(cat scripts/run.sh)"
[ "$(stat -c %a scripts/run.sh)" = 755 ] || fail "run.sh lost its mode"
[ "$(head -n 2 .ci/run | tail -n 1)" = "# $tag" ] || fail ".ci/run: $(cat .ci/run)"
[ "$(head -n 1 Makefile)" = "# $tag" ] || fail "Makefile: $(cat Makefile)"
[ "$(head -n 1 engine/CMakeLists.txt)" = "# $tag" ] || fail "CMakeLists.txt"
[ "$(cat packaging/a.1.in)" = '.\" '"$tag"'
.TH A 1' ] || fail "a.1.in: $(cat packaging/a.1.in)"
[ "$(sha256sum engine/a.cpp README.md packaging/a.svg)" = "$untouched" ] ||
  fail "--fix changed a file that needed nothing"

fixed=$(find . -path ./.git -prune -o -type f -print0 | sort -z | xargs -0 sha256sum)
[ -z "$(bash "$script" --fix "$repo")" ] || fail "the second --fix reported work"
[ "$(find . -path ./.git -prune -o -type f -print0 | sort -z | xargs -0 sha256sum)" = "$fixed" ] ||
  fail "the second --fix changed files"
[ -z "$(bash "$script" --check "$repo")" ] || fail "--check after --fix"
echo "spdx: check and fix hold"
