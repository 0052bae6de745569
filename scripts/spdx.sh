#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the project names its licence in its first lines:
#   SPDX-License-Identifier: GPL-3.0-or-later
# written as a comment of the file's own kind (// in C++, # in CMake, shell and make files,
# .\" in manual pages). Data, pictures and documents are not sources and carry no such line.
#
#   scripts/spdx.sh --check [FOLDER]   list the sources that lack the line; status 1 if any
#   scripts/spdx.sh --fix [FOLDER]     add it as the first line (after a #! line) where it is
#                                      missing; a file that has it stays byte for byte
#
# FOLDER is a git checkout, this one by default; its files are those git tracks or would track.
set -euo pipefail
mode=${1:-}
root=${2:-$(dirname "$0")/..}
case "$mode" in
--check | --fix) ;;
*)
  echo "usage: $0 --check|--fix [FOLDER]" >&2
  exit 2
  ;;
esac
cd "$root"
tag="SPDX-License-Identifier: GPL-3.0-or-later"

# The comment leader for a source file; nothing for a file that is no source.
leader() {
  case "$1" in
  *.cpp | *.h | *.h.in) echo "//" ;;
  *.1 | *.1.in) echo '.\"' ;;
  CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | Makefile | .ci/run | debian/rules | *.desktop.in)
    echo "#"
    ;;
  esac
}

# Whether the file names the licence in its first five lines.
tagged() {
  [[ $(head -n 5 "$1") == *"$tag"* ]]
}

# Writes the line into the file in place, keeping its inode, owner and mode.
add_tag() {
  local file=$1 line=$2 copy
  copy=$(mktemp)
  if [[ $(head -n 1 "$file") == '#!'* ]]; then
    { head -n 1 "$file" && echo "$line" && tail -n +2 "$file"; } >"$copy"
  else
    { echo "$line" && cat "$file"; } >"$copy"
  fi
  cat "$copy" >"$file"
  rm -f "$copy"
}

missing=0
while IFS= read -r file; do
  [ -f "$file" ] || continue # deleted but not yet committed
  comment=$(leader "$file")
  [ -n "$comment" ] || continue
  tagged "$file" && continue
  if [ "$mode" = --fix ]; then
    add_tag "$file" "$comment $tag"
    echo "added: $file"
  else
    echo "$file"
    missing=$((missing + 1))
  fi
done < <(git ls-files --cached --others --exclude-standard | sort -u)

if [ "$mode" = --check ] && [ "$missing" -gt 0 ]; then
  echo "spdx: $missing source files lack '$tag' (scripts/spdx.sh --fix adds it)" >&2
  exit 1
fi
