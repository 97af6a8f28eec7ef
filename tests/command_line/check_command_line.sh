#!/usr/bin/env bash
# The program's command line, run as a user would in a terminal without a display: help and version
# answer, --import brings a file's recipes into the book and says so, and the exit codes tell usage
# errors (2) and skipped files (1) from success (0).
#   check_command_line.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SAPORINA_HOME=$work/data SAPORINA_SETTINGS=$work/settings.ini
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAIL: $*"; exit 1; }
expect() { # CODE COMMAND...: runs it into $work/out and checks the exit code
  local code=$1; shift
  "$@" >"$work/out" 2>&1; local got=$?
  [ "$got" -eq "$code" ] || { cat "$work/out"; fail "$* exited $got, not $code"; }
}
expect 0 "$program" --help
grep -q -- "--import" "$work/out" || fail "--help does not name --import"
expect 0 "$program" --version
grep -q "[0-9]\+\.[0-9]\+\.[0-9]\+" "$work/out" || fail "--version gives no version"
expect 2 "$program" --import
printf '<recipebook><category cname="Soups"><recipe><title>Caldo</title><preptime/><cooktime/><yield/><ing>bones</ing><prep/><other/><date>1/2/2020</date><image/></recipe></category></recipebook>' >"$work/in.xml"
expect 0 "$program" --import "$work/in.xml"
grep -q "imported: Caldo" "$work/out" || { cat "$work/out"; fail "the recipe is not reported imported"; }
grep -q "<title>Caldo</title>" "$work/data/recipes.xml" || fail "the recipe is not in the book"
expect 0 "$program" --import "$work/in.xml"
grep -q "imported: Caldo (2)" "$work/out" || { cat "$work/out"; fail "a taken title does not take the first free number"; }
echo "no recipe" >"$work/nothing.txt"
expect 1 "$program" --import "$work/nothing.txt"
echo "command line: all checks passed"
