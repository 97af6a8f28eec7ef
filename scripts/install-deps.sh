#!/usr/bin/env bash
# Installs what Saporina needs to build and run (and, with --tests, to run every test), from Debian's
# packages.
set -euo pipefail
packages=(cmake make g++ qt6-base-dev qt6-translations-l10n libpugixml-dev zlib1g-dev libgl-dev fonts-dejavu-core
          xvfb xauth dpkg-dev)
if [ "${1:-}" = --tests ]; then
  # PDF text for the printing tests, clang and its runtime for the sanitizer build and the fuzzers, the
  # desktop entry's validator, the software-centre description's validator and the MIME database.
  packages+=(poppler-utils clang libclang-rt-14-dev desktop-file-utils libxml2-utils appstream shared-mime-info)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
