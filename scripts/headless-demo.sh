#!/usr/bin/env bash
# What ./run.sh does on a machine without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

out="$PWD/build/headless"
rm -rf "$out"
mkdir -p "$out"
echo "No display: starting Plimb under Xvfb and driving it with real key presses and mouse clicks (xdotool)."

# The demo, the job demo below included, keeps its settings and documents in
# a home of its own.
demo_home="$out/home"
mkdir -p "$demo_home/.config/tolvenrik"
export HOME="$demo_home" XDG_CONFIG_HOME="$demo_home/.config" XDG_DATA_HOME="$demo_home/.local/share" \
       XDG_CACHE_HOME="$demo_home/.cache"
printf '[languages]\nlanguage=Chinese\n' >"$XDG_CONFIG_HOME/tolvenrik/zodadarAda.conf"

display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
plimb_pid=
cleanup() {
  [ -n "$plimb_pid" ] && kill "$plimb_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The window is 1250 x 800 at the screen's corner (there is no window manager);
# menus and dialogs open on top of it, so the screen's corner is the picture.
shot() {
  sleep 0.5
  import -window root -crop 1250x800+0+0 +repage "$out/$1.png"
  echo "  screenshot: $out/$1.png"
}
wait_for_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1
}
# Types a path into the file dialog that has just opened and accepts it.
answer_dialog() {
  wait_for_window 'Open File' >/dev/null
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 5 "$1"
  sleep 0.3
  xdotool key Return
  sleep 0.5
  # A first Return may only close the name completer.
  if xdotool search --onlyvisible --name 'Open File' >/dev/null 2>&1; then xdotool key Return; fi
  sleep 1
}
# The engraver reports homing enabled, so the window asks whether to home;
# the demo answers Cancel (Escape), as its emulated head needs no homing.
decline_homing() {
  local box
  box=$(timeout 5 xdotool search --sync --onlyvisible --name '^(Home|回原点)$' | head -1) || true
  [ -n "$box" ] || return 0
  xdotool windowfocus --sync "$box"
  xdotool key Escape
  sleep 0.5
}
# The centre of the sample's filled ellipse on screen, found by its grey.
ellipse_centre() {
  local box w h x y
  import -window root -crop 1250x800+0+0 +repage "$out/.find.png"
  box=$(convert "$out/.find.png" -alpha off -fuzz 1% -fill '#ff0000' -opaque '#7f7f7f' -fuzz 0 \
          -fill black +opaque '#ff0000' -fill white -opaque '#ff0000' \
          -morphology Erode Square:3 -format '%@' info:)
  rm -f "$out/.find.png"
  IFS='x+' read -r w h x y <<<"$box"
  echo $((x + w / 2)) $((y + h / 2))
}

session() {
  local lang=$1 step=0 window
  echo "Session in $lang:"
  ./build/src/plimb >"$out/plimb-$lang.log" 2>&1 &
  plimb_pid=$!
  window=$(wait_for_window '^Plimb$')
  xdotool windowfocus --sync "$window"
  sleep 1
  shot "$lang-1-start"

  xdotool key ctrl+o
  wait_for_window 'Open File' >/dev/null
  xdotool type --delay 5 "$PWD/resources/samples/demo.svg"
  shot "$lang-2-open-dialog"
  xdotool key Return
  sleep 0.5
  if xdotool search --onlyvisible --name 'Open File' >/dev/null 2>&1; then xdotool key Return; fi
  sleep 1
  shot "$lang-3-opened"

  read -r x y < <(ellipse_centre)
  xdotool mousemove "$x" "$y" click 1
  shot "$lang-4-ellipse-selected"

  xdotool windowfocus --sync "$window"
  xdotool key ctrl+shift+s
  answer_dialog "$out/demo-$lang.svg"
  shot "$lang-5-saved-as"

  # Save G-code has no shortcut: open the File menu with the mouse; it is
  # the second entry from the bottom.
  xdotool mousemove 20 10 click 1
  shot "$lang-6-file-menu"
  xdotool key Up Up Return
  answer_dialog "$out/demo-$lang.gc"
  shot "$lang-7-gcode-saved"

  if [ "$lang" = chinese ]; then
    # The language menu; the choice takes effect at the next start.
    xdotool windowfocus --sync "$window"
    xdotool key alt+l
    shot "$lang-8-language-menu"
    xdotool key Down Return
    # A box says the new language applies at the next start; OK closes it.
    notice=$(wait_for_window '^语言$')
    sleep 0.5
    shot "$lang-9-language-notice"
    xdotool windowfocus --sync "$notice"
    xdotool key Return
    sleep 0.5
  fi
  # A closed menu leaves no keyboard focus without a window manager.
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+q
  for _ in $(seq 100); do kill -0 "$plimb_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$plimb_pid" 2>/dev/null; then
    echo "Plimb did not quit on Ctrl+Q." >&2
    return 1
  fi
  wait "$plimb_pid" || true
  plimb_pid=

  for file in "$out/demo-$lang.svg" "$out/demo-$lang.gc"; do
    [ -s "$file" ] || { echo "Not written: $file" >&2; return 1; }
  done
  ./build/tools/cli/plimb-cli gcode "$out/demo-$lang.svg" -o "$out/cli-$lang.gc" >/dev/null 2>&1
  if cmp -s "$out/demo-$lang.gc" "$out/cli-$lang.gc"; then
    echo "  saved: $out/demo-$lang.svg and $out/demo-$lang.gc (byte for byte what plimb-cli makes of the saved design)"
  else
    echo "  $out/demo-$lang.gc differs from plimb-cli's job of $out/demo-$lang.svg" >&2
    return 1
  fi
}

session chinese
grep -q 'language=English' "$XDG_CONFIG_HOME/tolvenrik/zodadarAda.conf" ||
  { echo "The language menu did not store English." >&2; exit 1; }
session english

# A job from the window to the engraver emulator: connect from the operate
# panel, start the sample job, and watch it run to its end.
job_session() {
  local line port window
  coproc JOBSIM { exec ./build/tools/engraver-sim/plimb-engraver-sim --throttle --hardware 2.0.0; }
  read -r line <&"${JOBSIM[0]}"
  port=${line#PTY }
  echo "Job from the window to the engraver emulator on $port:"
  PLIMB_SERIAL_PORTS="$port" ./build/src/plimb >"$out/plimb-job.log" 2>&1 &
  plimb_pid=$!
  window=$(wait_for_window '^Plimb$')
  xdotool windowfocus --sync "$window"
  sleep 1
  xdotool key ctrl+o
  answer_dialog "$PWD/resources/samples/demo.svg"
  # The operate panel's tab, then its Connect button.
  xdotool mousemove 914 70 click 1
  sleep 0.5
  xdotool mousemove 884 133 click 1
  local log="$HOME/Documents/tolvenrik/logInfo.txt"
  for _ in $(seq 100); do grep -q 'set:1 value:/dev' "$log" 2>/dev/null && break; sleep 0.1; done
  sleep 3
  decline_homing
  shot "job-1-connected"
  xdotool mousemove 903 275 click 1
  # The sample job takes about two seconds on the paced line.
  sleep 1
  shot "job-2-running"
  for _ in $(seq 600); do grep -q 'print done' "$log" 2>/dev/null && break; sleep 0.2; done
  sleep 1
  shot "job-3-finished"
  # Started again and stopped half-way: the panel offers to take the job up.
  xdotool mousemove 903 275 click 1
  sleep 1
  xdotool mousemove 1029 275 click 1
  sleep 2
  decline_homing
  shot "job-4-stopped"
  echo state >&"${JOBSIM[1]}"
  read -r line <&"${JOBSIM[0]}"
  echo quit >&"${JOBSIM[1]}"
  wait "$JOBSIM_PID" 2>/dev/null || true
  echo "  the emulator received $(sed -n 's/.*"lineCount":\([0-9]*\).*/\1/p' <<<"$line") command lines, $(sed -n 's/.*"overflows":\([0-9]*\).*/\1/p' <<<"$line") overflows"
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+q
  sleep 1
  # The design was not changed; a prompt would still be answered by closing.
  kill "$plimb_pid" 2>/dev/null || true
  wait "$plimb_pid" 2>/dev/null || true
  plimb_pid=
}
job_session

cleanup
trap - EXIT

echo "Log file of the last session: $demo_home/Documents/tolvenrik/logInfo.txt"

# The job demo: G-code for the bundled sample design, sent by plimb-cli to the
# engraver emulator over a pseudo-terminal paced like a real 115 200 baud line,
# once as the Bluetooth model takes it (compressed parts) and once as the
# older model does (line by line), with what the emulator received; then once
# more line by line to the emulator on a loopback TCP port, as to a board on
# the network.
demo="$PWD/build/demo"
mkdir -p "$demo"
job="$demo/demo.gc"
echo
echo "Generating the job of resources/samples/demo.svg:"
./build/tools/cli/plimb-cli gcode resources/samples/demo.svg -o "$job"

field() { sed -n "s/.*\"$1\":\([0-9-]*\).*/\1/p" <<<"$2"; }

send_to_emulator() {
  local hardware=$1 transport=${2:-pty} received="$demo/received-$1.gc" line port state status=0
  local listen=()
  [ "$transport" = tcp ] && listen=(--tcp 0)
  rm -f "$received"
  coproc EMULATOR { exec ./build/tools/engraver-sim/plimb-engraver-sim --throttle --hardware "$hardware" --save-job "$received" "${listen[@]}"; }
  read -r line <&"${EMULATOR[0]}"
  case $line in
    TCP\ *) port="tcp://${line#TCP }" ;;
    *) port=${line#PTY } ;;
  esac
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
send_to_emulator 2.0.0 tcp
