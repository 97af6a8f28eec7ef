#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine, starts Saporina the way its desktop entry does
# (headless, on a scratch data folder), removes the package and checks that nothing of it is left.
# Needs root; does nothing when Saporina is already installed from a package here.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/install/start_headless.sh
if [ "$(id -u)" -ne 0 ]; then echo "package check skipped: it installs a package, which needs root"; exit 0; fi
if dpkg-query -W -f='${Status}' saporina 2>/dev/null | grep -q "install ok installed"; then
  echo "package check skipped: saporina is already installed here"; exit 0
fi
rm -rf build/package
(cd build && cpack -G DEB -B "$PWD/package" >/dev/null)
deb=$(ls "$PWD"/build/package/saporina_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq --purge saporina >/dev/null 2>&1 || true' EXIT

entry=/usr/share/applications/saporina.desktop
[ -f "$entry" ] || fail "no desktop entry at $entry"
desktop-file-validate "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
program=$(command -v "${exec_line%% *}") || fail "the desktop entry starts '$exec_line', which is not on the PATH"
start_headless "$program" "$PWD/build/package/run" /usr/share/saporina
installed=$(dpkg -L saporina)

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq --purge saporina >/dev/null
trap - EXIT
! dpkg-query -W -f='${Status}' saporina 2>/dev/null | grep -q "install ok installed" || fail "saporina is still installed"
while read -r path; do
  [ -d "$path" ] && continue
  [ ! -e "$path" ] || fail "$path is left after removing the package"
done <<<"$installed"
[ ! -e /usr/share/saporina ] || fail "/usr/share/saporina is left after removing the package"
echo "package check: $(basename "$deb") installs, starts from its desktop entry and removes cleanly"
