#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the sources the way CI does: every C++ file is formatted as .clang-format says, every
# source names its licence, and clang-tidy finds none of the faults that .clang-tidy lists. Needs the compile commands of a
# configured build folder (the first argument, `build` by default).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

# The licence line that scripts/spdx.sh --fix adds where it is missing.
echo "spdx: licence lines"
bash scripts/spdx.sh --check

# Only the program's own translation units; the tests follow the same rules by review.
echo "clang-tidy: $(grep -c '"file"' "$build/compile_commands.json") entries in $build"
# clang cannot read GCC's precompiled headers, so clang-tidy reads each source without them,
# from a copy of the compile commands: a source that leaves out an include it needs fails here.
commands=$(mktemp -d)
trap 'rm -rf "$commands"' EXIT
sed -E 's# -Winvalid-pch -include [^ ]*/cmake_pch\.hxx##g' "$build/compile_commands.json" \
    > "$commands/compile_commands.json"
run-clang-tidy -quiet -p "$commands" -j "$(nproc)" \
    "$(pwd)/(base|engine|present|store|ui|draw|print|app|tools|packaging)/" > "$build/clang-tidy.log" 2>&1 \
    || { grep -E -A4 'error:|warning:' "$build/clang-tidy.log"; exit 1; }
echo "lint: clean"
