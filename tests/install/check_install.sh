#!/usr/bin/env bash
# `cmake --install` into a temporary prefix holds every file the program needs, and the installed program
# starts on an empty data folder and places its shipped files there.
#   check_install.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
build=$1 work=$2
source "$(dirname "$0")/start_headless.sh"
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
p=$work/prefix
for f in bin/saporina share/applications/saporina.desktop share/icons/hicolor/64x64/apps/saporina.png \
         share/saporina/sp.hlp share/saporina/spEs.hlp share/saporina/quorvel.gif; do
  [ -f "$p/$f" ] || fail "$f is not installed"
done
[ -x "$p/bin/saporina" ] || fail "bin/saporina is not executable"
exec_line=$(sed -n 's/^Exec=//p' "$p/share/applications/saporina.desktop")
[ -x "$p/bin/${exec_line%% *}" ] || fail "the desktop entry starts '$exec_line', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$p/share/applications/saporina.desktop")
[ -f "$p/share/icons/hicolor/64x64/apps/$icon.png" ] || fail "the desktop entry's icon '$icon' is not installed"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$p/share/applications/saporina.desktop"; fi

# The installed help file is the one used: mark it, and look for the mark in the data folder.
echo '<!-- installed copy -->' >> "$p/share/saporina/sp.hlp"
start_headless "$p/bin/saporina" "$work" "$p/share/saporina"
grep -q 'installed copy' "$work/data/sp.hlp" || fail "the help file built into the program was used, not the installed one"

# A prefix moved as a whole still works.
mv "$p" "$work/moved"
start_headless "$work/moved/bin/saporina" "$work" "$work/moved/share/saporina"
echo "install tree complete; the installed program starts and places its files"
