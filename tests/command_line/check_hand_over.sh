#!/usr/bin/env bash
# Recipe files given to a second start go to the copy already running on the same data folder: the
# second start ends at once with success (it would otherwise stop at the "book in use" message), and the
# first goes on. A file that cannot be read is said on the terminal and ends the start with 1.
#   check_hand_over.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
first=
trap '[ -n "$first" ] && kill "$first" 2>/dev/null; rm -rf "$work"' EXIT
export SAPORINA_HOME=$work/data SAPORINA_SETTINGS=$work/settings.ini QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
printf '[HKLM]\nSoftware\\Quorvel\\Saporina\\language=0\n' >"$SAPORINA_SETTINGS"
fail() { echo "FAIL: $*"; exit 1; }
printf '<recipebook><category cname="Soups"><recipe><title>Caldo</title><preptime/><cooktime/><yield/><ing>bones</ing><prep/><other/><date>1/2/2020</date><image/></recipe></category></recipebook>' >"$work/in.xml"

timeout 20 "$program" "$work/missing.mmf" >"$work/out" 2>&1
[ $? -eq 1 ] || { cat "$work/out"; fail "a missing file does not end the start with 1"; }
grep -q "missing.mmf" "$work/out" || fail "a missing file is not named on the terminal"

"$program" "$work/in.xml" >"$work/first.out" 2>&1 &
first=$!
for _ in $(seq 100); do
  [ -n "$(find "$XDG_RUNTIME_DIR" -name '*.socket' 2>/dev/null)" ] && break
  sleep 0.2
done
[ -n "$(find "$XDG_RUNTIME_DIR" -name '*.socket')" ] || { cat "$work/first.out"; fail "the first copy does not listen"; }

timeout 20 "$program" "$work/in.xml" >"$work/second.out" 2>&1
code=$?
[ $code -eq 0 ] || { cat "$work/second.out"; fail "the second start exited $code instead of handing the file over"; }
kill -0 "$first" 2>/dev/null || { cat "$work/first.out"; fail "the first copy ended"; }
echo "hand-over: all checks passed"
