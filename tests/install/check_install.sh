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
for f in bin/saporina share/applications/saporina.desktop share/icons/hicolor/scalable/apps/saporina.svg \
         share/mime/packages/saporina.xml share/metainfo/example.saporina.Saporina.metainfo.xml \
         share/man/man1/saporina.1.gz share/saporina/sp.hlp share/saporina/spEs.hlp share/saporina/quorvel.gif; do
  [ -f "$p/$f" ] || fail "$f is not installed"
done
[ -x "$p/bin/saporina" ] || fail "bin/saporina is not executable"
exec_line=$(sed -n 's/^Exec=//p' "$p/share/applications/saporina.desktop")
[ -x "$p/bin/${exec_line%% *}" ] || fail "the desktop entry starts '$exec_line', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$p/share/applications/saporina.desktop")
[ -f "$p/share/icons/hicolor/64x64/apps/$icon.png" ] || fail "the desktop entry's icon '$icon' is not installed"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$p/share/applications/saporina.desktop"; fi

# Every icon size a menu asks for, each a PNG of its own size (width and height from the PNG header).
for size in 16 32 48 64 128 256; do
  png=$p/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no ${size}-pixel icon"
  [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')" = "${size}x${size}" ] ||
    fail "the ${size}-pixel icon is not ${size} pixels"
done

# The file types: a database built from the package knows each type the desktop entry opens.
mime_types=$(sed -n 's/^MimeType=//p' "$p/share/applications/saporina.desktop" | tr ';' ' ')
if command -v update-mime-database >/dev/null; then
  update-mime-database "$p/share/mime" 2>/dev/null
  for type in $mime_types; do
    [ "$type" = text/html ] || [ -f "$p/share/mime/$type.xml" ] || fail "the MIME database does not know $type"
  done
fi
grep -q 'x-mealmaster' <<<"$mime_types" || fail "the desktop entry does not open MealMaster files"
grep -q '%[fF]' <<<"$exec_line" || fail "the desktop entry does not pass the chosen files"

# The software-centre description, and the manual page.
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$p/share/metainfo/example.saporina.Saporina.metainfo.xml" >/dev/null ||
    fail "the metainfo file does not validate"
fi
zcat "$p/share/man/man1/saporina.1.gz" | grep -qF -- '\-\-import' || fail "the manual page does not give the options"

# The installed help file is the one used: mark it, and look for the mark in the data folder.
echo '<!-- installed copy -->' >> "$p/share/saporina/sp.hlp"
start_headless "$p/bin/saporina" "$work" "$p/share/saporina"
grep -q 'installed copy' "$work/data/sp.hlp" || fail "the help file built into the program was used, not the installed one"

# A prefix moved as a whole still works.
mv "$p" "$work/moved"
start_headless "$work/moved/bin/saporina" "$work" "$work/moved/share/saporina"
echo "install tree complete; the installed program starts and places its files"
