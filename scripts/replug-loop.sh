#!/usr/bin/env bash
# Unplugs and replugs the simulated surface N times under the running device
# link and prints how often it recovered, the device thread's waits and its
# CPU time.
#   scripts/replug-loop.sh [N]      (N defaults to 50)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target link_replug_loop
"$build/tests/integration/device/link_replug_loop" "${1:-50}"
