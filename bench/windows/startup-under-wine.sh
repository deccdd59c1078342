#!/usr/bin/env bash
# Runs the Windows start-up bench under Wine, with the simulated surface of a
# Linux build on COM1: startup-under-wine.sh BUILD-WINDOWS SURFACE-TOOL [STARTS]
# (BUILD-WINDOWS built with QUORBEL_BENCH on; SURFACE-TOOL is
# build/tools/quorbel-surface). Needs a display with a window manager.
set -euo pipefail
build=$(cd "$1" && pwd)
tool=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
# The Wine server, started first with its messages silenced: when it ends it
# lists every object it still holds, thousands of lines after the figures.
mkdir -p "$build/wine"
WINEPREFIX=$build/wine wineserver -p 2>/dev/null
trap 'WINEPREFIX=$build/wine wineserver -k 2>/dev/null' EXIT
# surface-on-com1.sh starts the program without arguments.
export QUORBEL_STARTS=${3:-20}
"$here/../../tests/windows/surface-on-com1.sh" "$tool" "$here/../../cmake/wine-run.sh" \
  "$build/wine" "$build/bench/windows/bench_startup_windows.exe"
