#!/usr/bin/env bash
# Sets up, builds and runs every test suite through CTest, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2
