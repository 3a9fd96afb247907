#!/usr/bin/env bash
# Installs what is missing, builds, and starts Plimb. Without a display the
# window is started under Xvfb, a screenshot of it is saved into build/ and
# the program exits.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/deps.sh
./scripts/build.sh

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/src/plimb "$@"
fi

./scripts/headless-demo.sh
