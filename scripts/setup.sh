#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev libgl-dev libxtst-dev libxres-dev libx11-dev libx11-xcb-dev libxcb1-dev libxcb-res0-dev libxcb-xinput-dev libxi-dev
  xvfb xauth x11-xkb-utils desktop-file-utils
  libwayland-dev wayland-protocols libxkbcommon-dev xkb-data nlohmann-json3-dev qt6-wayland sway
  dbus-daemon dbus-bin nodejs
  g++-mingw-w64-x86-64-posix openbox python3 nsis
)
# Wine without what it recommends (sound, printing, video, 3D and font
# packages, hundreds of them): the Windows tests need only its core and
# its X11 driver, whose libraries come with the packages above.
lean_packages=(wine wine64)

# The packages of the list $1... that are not installed yet.
missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_lean < <(missing_of "${lean_packages[@]}")
if ((${#missing[@]} + ${#missing_lean[@]})); then
  echo "Installing: ${missing[*]} ${missing_lean[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  # Through env: sudo resets the environment and would drop the variable.
  if ((${#missing[@]})); then
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
  if ((${#missing_lean[@]})); then
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
      --no-install-recommends "${missing_lean[@]}"
  fi
fi
