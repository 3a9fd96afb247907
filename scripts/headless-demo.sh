#!/usr/bin/env bash
# What ./run.sh does on a machine without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

shot="$PWD/build/plimb-window.png"
rm -f "$shot"
echo "No display: starting Plimb under Xvfb to take a screenshot of its window."
PLIMB_SCREENSHOT="$shot" xvfb-run -a -s "-screen 0 1600x1000x24" ./build/src/plimb
if [ -f "$shot" ]; then
  echo "Screenshot of the main window: $shot"
else
  echo "No screenshot was written." >&2
  exit 1
fi
docs="$HOME/Documents"
dirs="${XDG_CONFIG_HOME:-$HOME/.config}/user-dirs.dirs"
if [ -f "$dirs" ]; then
  line=$(grep '^XDG_DOCUMENTS_DIR=' "$dirs" || true)
  [ -n "$line" ] && docs=$(eval echo "${line#XDG_DOCUMENTS_DIR=}")
fi
echo "Log file: $docs/tolvenrik/logInfo.txt"
