#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix with cmake --install and checks the installed
# programs: their version and documents; where the data file is found, through gearsel-cli: a
# user's own copy of the installed default data, made on first use; a system.lib beside the
# executable, which wins; and a clear refusal when there is neither; a chart PDF written by the
# installed helper program on the user's file; and the window opened with --lib on another
# file, which then is the one it uses.
# Usage: installed_tree_test.sh CMAKE BUILD_DIR PREFIX VERSION
set -euo pipefail
cmake=$1 build=$2 prefix=$3 version=$4
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
prefix=$(realpath "$prefix") # the program names files by their resolved paths
cli=$prefix/bin/gearsel-cli
seed=$prefix/share/gearsel/system.lib
seed_constants=$seed.constants.json
beside=$prefix/bin/system.lib
[ -x "$prefix/bin/gearsel" ] && [ -x "$cli" ] && [ -f "$seed" ] && [ -f "$seed_constants" ] ||
  fail "not installed: bin/gearsel, bin/gearsel-cli, share/gearsel/system.lib and its constants"
[ ! -e "$beside" ] || fail "a data file was installed beside the executables"
for program in gearsel gearsel-cli; do
  [ "$("$prefix/bin/$program" --version)" = "$program $version" ] ||
    fail "$program --version does not print $version"
done
docs=$prefix/share/doc/gearsel
grep -q "^License: GPL-3.0-or-later" "$docs/copyright" || fail "no licence in $docs/copyright"
[ "$(gzip -dc "$docs/changelog.gz" | head -n 1)" = "gearsel ($version) unstable; urgency=medium" ] ||
  fail "$docs/changelog.gz does not start with version $version"
chmod a-w "$seed" # as installed by root: the user cannot write it
seed_sum=$(sha256sum <"$seed")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
work=$(realpath "$work")
export HOME=$work/home XDG_DATA_HOME=$work/data
mkdir "$HOME"
user_file=$XDG_DATA_HOME/gearsel/system.lib

# The window on a file given with --lib: it opens that file, which it makes writable as it
# does any data file, and makes no file of the user's. It runs offscreen until it is ended.
shared=$work/shared/system.lib
mkdir "$work/shared"
cp "$seed" "$shared"
chmod 0444 "$shared"
QT_QPA_PLATFORM=offscreen "$prefix/bin/gearsel" --lib "$shared" 2>"$work/window.log" &
window=$!
for _ in $(seq 600); do # at most half a minute, for slow sanitized builds
  [ "$(stat -c %a "$shared")" = 644 ] || ! kill -0 "$window" 2>/dev/null && break
  sleep 0.05
done
kill "$window" 2>/dev/null || fail "the window on --lib ended by itself: $(cat "$work/window.log")"
wait "$window" || true
[ "$(stat -c %a "$shared")" = 644 ] || fail "the window did not open the file given with --lib"
[ ! -e "$user_file" ] || fail "the window on --lib made the user's own file"

# First use: the user's file is made from the seed, with the user's own permissions.
[ "$("$cli" machines list)" = "$("$cli" machines --lib "$seed" list)" ] ||
  fail "the first list is not the seed's"
cmp -s "$user_file" "$seed" || fail "$user_file is not a copy of the seed"
cmp -s "$user_file.constants.json" "$seed_constants" ||
  fail "the default machines' constants were not copied along"
"$cli" select --machine CA6140 thread --pitch 1.5mm >/dev/null ||
  fail "the default lathe's leadscrew is not known on first use"
[ ! -L "$user_file" ] || fail "$user_file is a link"
[ "$(stat -c %a "$user_file")" = 644 ] || fail "$user_file has mode $(stat -c %a "$user_file")"
[ "$("$cli" machines where)" = "$user_file" ] || fail "where does not name $user_file"

# Changes go to the user's file; the seed stays as installed.
"$cli" machines rename 1 "Mine" >/dev/null
"$cli" machines list | grep -q "Mine" || fail "the change was not kept in the user's file"
[ "$(sha256sum <"$seed")" = "$seed_sum" ] || fail "the seed was changed"

# chart --pdf runs in the helper program, installed elsewhere, on the same data file: the
# machine renamed in the user's file is found.
"$cli" machines rename 7 "Hob of mine" >/dev/null
pdf_out=$("$cli" chart --machine "Hob of mine" --hob-index 24 --teeth 17-120 --pdf "$work/chart.pdf") ||
  fail "chart --pdf failed in the installed tree"
[ "$pdf_out" = "已写入 $work/chart.pdf（5 页）" ] || fail "chart --pdf said: $pdf_out"
[ "$(head -c 5 "$work/chart.pdf")" = "%PDF-" ] || fail "chart --pdf wrote no PDF file"
if ldd "$cli" | grep -qi "qt"; then
  fail "the installed gearsel-cli loads Qt"
fi

# Without XDG_DATA_HOME the user's file lies under ~/.local/share.
[ "$(env -u XDG_DATA_HOME "$cli" machines where)" = "$HOME/.local/share/gearsel/system.lib" ] ||
  fail "without XDG_DATA_HOME the file is not under ~/.local/share"
cmp -s "$HOME/.local/share/gearsel/system.lib" "$seed" ||
  fail "the copy under ~/.local/share is not the seed"

# The portable layout: a system.lib beside the executable wins over the user's file.
cp "$seed" "$beside"
chmod u+w "$beside"
"$cli" machines --lib "$beside" rename 1 "Beside" >/dev/null
[ "$("$cli" machines where)" = "$beside" ] ||
  fail "where does not name the file beside the executable"
"$cli" machines list | grep -q "Beside" || fail "the file beside the executable is not used"
rm "$beside"

# Neither a file beside, nor the user's, nor a seed: one line naming the three places.
rm -rf "$XDG_DATA_HOME"
mv "$seed" "$work/seed"
status=0
message=$("$cli" machines list 2>&1 >/dev/null) || status=$?
mv "$work/seed" "$seed"
[ "$status" = 2 ] || fail "status $status without any data file"
[ "$(printf '%s\n' "$message" | wc -l)" = 1 ] || fail "more than one line: $message"
for place in "$beside" "$user_file" "$seed"; do
  [[ $message == *"$place"* ]] || fail "the message does not name $place: $message"
done
[ ! -e "$user_file" ] || fail "a user's file was made without a seed"
echo "installed tree: data file rules hold"
