#!/usr/bin/env bash
# Installs the Debian packages Plimb needs to build, test and run; only the missing ones.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qtbase5-dev libqt5svg5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools
  qt5-image-formats-plugins
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
  libpotrace-dev libdxflib-dev zlib1g-dev
  potrace python3
  fonts-dejavu-core fonts-wqy-microhei
  qttranslations5-l10n
  xvfb xauth xdotool imagemagick
  python3-pyftpdlib
  help2man lintian desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
