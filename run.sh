#!/usr/bin/env bash
# Installs what is missing, builds, and starts Plimb. Without a display the
# program is started under Xvfb and driven by key presses and mouse clicks,
# with a screenshot of each step in build/headless/.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/deps.sh
./scripts/build.sh

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/src/plimb "$@"
fi

./scripts/headless-demo.sh
