#!/usr/bin/env bash
# What ./run.sh does on a machine without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

shot="$PWD/build/plimb-window.png"
rm -f "$shot"
echo "No display: starting Plimb under Xvfb with the sample design to take a screenshot of its window."
PLIMB_OPEN_DESIGN="$PWD/resources/samples/demo.svg" PLIMB_SCREENSHOT="$shot" xvfb-run -a -s "-screen 0 1600x1000x24" ./build/src/plimb
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

# The job demo: G-code for the bundled sample design, sent by plimb-cli to the
# engraver emulator over a pseudo-terminal paced like a real 115 200 baud line,
# once as the Bluetooth model takes it (compressed parts) and once as the
# older model does (line by line), with what the emulator received.
demo="$PWD/build/demo"
mkdir -p "$demo"
job="$demo/demo.gc"
echo
echo "Generating the job of resources/samples/demo.svg:"
./build/tools/cli/plimb-cli gcode resources/samples/demo.svg -o "$job"

field() { sed -n "s/.*\"$1\":\([0-9-]*\).*/\1/p" <<<"$2"; }

send_to_emulator() {
  local hardware=$1 received="$demo/received-$1.gc" line port state status=0
  rm -f "$received"
  coproc EMULATOR { exec ./build/tools/engraver-sim/plimb-engraver-sim --throttle --hardware "$hardware" --save-job "$received"; }
  read -r line <&"${EMULATOR[0]}"
  port=${line#PTY }
  echo
  echo "Engraver emulator (hardware $hardware) on $port; sending the job:"
  ./build/tools/cli/plimb-cli send "$job" --port "$port" || status=$?
  echo state >&"${EMULATOR[1]}"
  read -r state <&"${EMULATOR[0]}"
  echo quit >&"${EMULATOR[1]}"
  wait "$EMULATOR_PID" 2>/dev/null || true
  if [ "$status" -ne 0 ]; then
    echo "plimb-cli send failed (exit status $status)." >&2
    return "$status"
  fi
  echo "The emulator received $(field lineCount "$state") command lines, at most $(field maxOutstanding "$state") unanswered bytes at a time, $(field overflows "$state") receive-buffer overflows."
  if [ "$(field parts "$state")" -gt 0 ]; then
    echo "It took the job as $(field parts "$state") compressed part(s), $(field jobBytes "$state") bytes of G-code after decompression, $(field partErrors "$state") broken."
    if cmp -s <(sed -e '$a\' "$job") "$received"; then
      echo "The reassembled job ($received) is byte for byte the generated one."
    else
      echo "The reassembled job ($received) differs from the generated one." >&2
      return 1
    fi
  fi
}

send_to_emulator 3.0.0
send_to_emulator 2.0.0
