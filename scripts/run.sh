#!/usr/bin/env bash
# Fresh Debian 12 machine, as root: installs what KLW needs, builds it and starts it on
# its shipped database. Without a display it starts a virtual one (Xvfb) for itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DKLW_BUILD_TESTS=OFF -DKLW_BUILD_BENCHMARKS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/klw
fi
exec build/bin/klw
