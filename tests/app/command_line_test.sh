#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The two programs run from a shell: --help and --version print and end without a window (no
# display is needed), both print the project's version, and a refused command line gets one
# line on stderr and status 2, with no window and no data file touched.
# Usage: command_line_test.sh GEARSEL GEARSEL_CLI VERSION
set -euo pipefail
gearsel=$1 cli=$2 version=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No display of any kind: a program that tried to open a window would end with Qt's abort.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/home"
  XDG_DATA_HOME="$work/data")

# Runs the rest of the line, keeping its status, stdout and stderr.
run() {
  status=0
  "$@" >"$work/out" 2>"$work/err" || status=$?
  out=$(cat "$work/out") err=$(cat "$work/err")
}

run "${headless[@]}" "$gearsel" --help
[ "$status" = 0 ] || fail "--help: status $status: $err"
[ -z "$err" ] || fail "--help wrote on stderr: $err"
lines=$(wc -l <"$work/out")
[ "$lines" -ge 5 ] && [ "$lines" -le 24 ] || fail "--help is $lines lines, not one screen"
[[ $out == *"--lib FILE"* ]] || fail "--help does not name --lib FILE"

run "${headless[@]}" "$gearsel" --version
[ "$status" = 0 ] && [ "$out" = "gearsel $version" ] || fail "gearsel --version: $status '$out'"
run "$cli" --version
[ "$status" = 0 ] && [ "$out" = "gearsel-cli $version" ] ||
  fail "gearsel-cli --version: $status '$out' $err"

# Output that cannot be written is no success.
status=0
"${headless[@]}" "$gearsel" --version >/dev/full 2>"$work/err" || status=$?
[ "$status" = 2 ] && [ "$(wc -l <"$work/err")" = 1 ] ||
  fail "--version into a full device: status $status, $(cat "$work/err")"

# Refused: one line, status 2, before any window (still no display) and with no data file made.
for args in "--lib" "--lib=" "--lib $work/missing.lib" "--lib $work/a --lib $work/b" "--lang fr"; do
  # shellcheck disable=SC2086 # the words are the arguments
  run "${headless[@]}" "$gearsel" $args
  [ "$status" = 2 ] || fail "gearsel $args: status $status"
  [ -z "$out" ] && [ "$(wc -l <"$work/err")" = 1 ] || fail "gearsel $args: '$out' '$err'"
  [[ $err == gearsel:* ]] || fail "gearsel $args: $err"
done
run "${headless[@]}" "$gearsel" --lib ""
[ "$status" = 2 ] || fail "gearsel --lib '': status $status"
run "${headless[@]}" "$gearsel" --lib "$work/missing.lib"
[[ $err == *"$work/missing.lib"* ]] || fail "the refusal does not name the file: $err"
[ ! -e "$work/data" ] && [ ! -e "$work/missing.lib" ] || fail "a refused start made a file"
# A control character in an argument is shown escaped, never sent to the terminal.
run "${headless[@]}" "$gearsel" --lib "$work/a"$'\e[31m'
[ "$status" = 2 ] && [[ $err == *'\x1b[31m'* ]] && [[ $err != *$'\e'* ]] ||
  fail "an escape in --lib: $err"

# An argument neither the program nor Qt takes is refused once Qt has looked at it, before the
# data file is read (so any existing file does for --lib here).
: >"$work/shop.lib"
run env QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_DATA_HOME="$work/data" \
  "$gearsel" --lib "$work/shop.lib" -platform offscreen system.lib
[ "$status" = 2 ] && [[ $err == *"unknown argument system.lib"* ]] ||
  fail "a stray argument: status $status, $err"
echo "command line: help, version and refusals hold"
