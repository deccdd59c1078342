#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev libgl-dev libxtst-dev libxres-dev libx11-dev libx11-xcb-dev libxcb1-dev libxcb-res0-dev libxcb-xinput-dev libxi-dev
  xvfb xauth x11-xkb-utils desktop-file-utils
  libwayland-dev wayland-protocols libxkbcommon-dev xkb-data nlohmann-json3-dev qt6-wayland sway
  g++-mingw-w64-x86-64-posix wine wine64 openbox
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  # Through env: sudo resets the environment and would drop the variable.
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
