#!/usr/bin/env bash
# Checks the Debian package as a user meets it: builds it, runs lintian,
# installs it on this machine (as root), runs the installed plimb-cli on the
# bundled sample, starts the installed plimb headless from its menu entry's
# command line for one screenshot, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "package-check: installs a package, run it as root" >&2
  exit 1
fi
if dpkg-query -W -f='${Status}' plimb 2>/dev/null | grep -q 'install ok installed'; then
  echo "package-check: plimb is already installed here; not touching it" >&2
  exit 1
fi

root=$PWD
deb=$(./scripts/package.sh | tail -1)
echo "package-check: $deb"
export DEBIAN_FRONTEND=noninteractive

echo "package-check: lintian"
lintian --fail-on error --tag-display-limit 0 "$deb"

work=$(mktemp -d)
xvfb_pid=
installed=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  if [ -n "$installed" ]; then
    dpkg -r plimb >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "package-check: FAILED: $*" >&2
  exit 1
}

echo "package-check: installing"
installed=yes
if ! dpkg -i "$deb" >"$work/dpkg.log" 2>&1; then
  apt-get -f install -y -qq >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "cannot install"; }
fi
dpkg-query -W -f='${Status}' plimb | grep -q 'install ok installed' || fail "plimb is not installed"

# The installed programs, with a home of their own: nothing of the real
# user's settings or documents is read or written.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
       XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$HOME"
cd "$work"

for program in plimb plimb-cli plimb-engraver-sim; do
  [ "$(command -v $program)" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program"
  man -w "$program" >/dev/null 2>&1 || [ -f "/usr/share/man/man1/$program.1.gz" ] || fail "no manual page for $program"
done
plimb-cli --version | grep -qx "plimb-cli [0-9.]*" || fail "plimb-cli --version"
plimb-cli --help | grep -q "^Sample designs: /usr/share/plimb/samples$" || fail "plimb-cli does not find the installed samples"

sample=/usr/share/plimb/samples/demo.svg
echo "package-check: plimb-cli gcode $sample"
plimb-cli gcode "$sample" -o "$work/demo.gc"
[ -s "$work/demo.gc" ] || fail "plimb-cli wrote no job"

desktop=/usr/share/applications/org.tolvenrik.Plimb.desktop
desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain /usr/share/metainfo/org.tolvenrik.Plimb.metainfo.xml >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "metainfo"; }
# The dpkg trigger ran update-mime-database over the package's types.
grep -q '\*\.gc' /usr/share/mime/globs2 || fail "the G-code type is not registered"
for size in 16x16 32x32 48x48 256x256 scalable; do
  ls /usr/share/icons/hicolor/$size/apps/org.tolvenrik.Plimb.* >/dev/null || fail "no $size icon"
done

# The menu entry's command line with the sample as the file to open.
command_line=$(sed -n 's/^Exec=//p' "$desktop")
command_line=${command_line//%F/$sample}
echo "package-check: $command_line (headless)"
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
shot="$work/plimb.png"
# shellcheck disable=SC2086
DISPLAY=":$display" PLIMB_SCREENSHOT="$shot" timeout 60 $command_line >"$work/plimb.log" 2>&1 \
  || { cat "$work/plimb.log"; fail "plimb did not start and quit"; }
[ -s "$shot" ] || fail "no screenshot"
# The sample's ellipse is filled with this grey: the design was opened.
grey=$(convert "$shot" -alpha off -fill white +opaque '#7f7f7f' -fill black -opaque '#7f7f7f' \
        -negate -format '%[fx:mean*w*h]' info:)
[ "${grey%.*}" -gt 100 ] || fail "the screenshot does not show the sample"
log="$HOME/Documents/tolvenrik/logInfo.txt"
[ -s "$log" ] || fail "no log in the user's documents ($log)"
mkdir -p "$root/build-package/check"
cp "$shot" "$root/build-package/check/plimb.png"
echo "package-check: screenshot build-package/check/plimb.png"

echo "package-check: removing"
dpkg -r plimb >/dev/null
installed=
for path in /usr/bin/plimb /usr/bin/plimb-cli /usr/bin/plimb-engraver-sim /usr/share/plimb "$desktop"; do
  [ ! -e "$path" ] || fail "$path is left after removal"
done
echo "package-check: passed"
