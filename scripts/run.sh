#!/usr/bin/env bash
# Installs what is missing, builds QuorbelU and starts it with the simulated
# surface on Com 1, in the folder run/ (or the folder given):
#   scripts/run.sh [FOLDER]
# With a display, both windows open and the run ends when the editor closes.
# Without one, a short scripted demonstration runs on a virtual X server:
# the surface's controls are pressed, the keys a target window received are
# printed and a picture of the editor is saved to FOLDER/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-run}

scripts/setup.sh
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j "$(nproc)" --target quorbelu quorbel-surface quorbel-sample-keysets \
  x11_recorder quorbel_window_shot

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/demo/windows.sh build "$folder"
else
  exec scripts/demo/headless.sh build "$folder"
fi
