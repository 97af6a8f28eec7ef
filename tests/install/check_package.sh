#!/usr/bin/env bash
# The Debian package builds, holds the program, its desktop entry, icon and shipped files, and depends on
# the Qt libraries it links.
#   check_package.sh BUILD_FOLDER WORK_FOLDER
set -euo pipefail
build=$1 work=$2
source "$(dirname "$0")/start_headless.sh"
rm -rf "$work" && mkdir -p "$work"
(cd "$build" && cpack -G DEB -B "$work" >/dev/null) || fail "cpack could not build the package"
deb=$(ls "$work"/saporina_*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/saporina ./usr/share/applications/saporina.desktop ./usr/share/icons/hicolor/64x64/apps/saporina.png \
         ./usr/share/icons/hicolor/scalable/apps/saporina.svg ./usr/share/mime/packages/saporina.xml \
         ./usr/share/metainfo/example.saporina.Saporina.metainfo.xml ./usr/share/man/man1/saporina.1.gz \
         ./usr/share/saporina/sp.hlp ./usr/share/saporina/spEs.hlp ./usr/share/saporina/quorvel.gif; do
  grep -q " $f\$" <<<"$contents" || fail "$f is not in the package"
done
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libqt6network6 libpugixml1v5; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
# What the package unpacks runs.
dpkg-deb --extract "$deb" "$work/root"
start_headless "$work/root/usr/bin/saporina" "$work" "$work/root/usr/share/saporina"
echo "package $(basename "$deb") builds; depends on: $depends"
