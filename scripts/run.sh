#!/usr/bin/env bash
# Sets up, builds and starts Saporina. Without a display it runs on a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Saporina on a virtual display." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/src/saporina
fi
exec build/src/saporina
