#!/usr/bin/env bash
# Sets up, builds and runs every test suite through CTest, headless; then builds them all again with
# the address and undefined-behaviour sanitizers and runs them with the fuzz targets.
# As root it also installs the Debian package, starts it and removes it again (scripts/package-check.sh).
# SAPORINA_SANITIZE=0 skips the second build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2
bash scripts/package-check.sh
if [ "${SAPORINA_SANITIZE:-1}" != 0 ]; then
  bash scripts/sanitize.sh
fi
