#!/usr/bin/env bash
# Takes docs/serial-device.png: the Serial Device chooser with a typical set of
# devices, on a virtual X server of its own. Build first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
source scripts/demo/common.sh
demo_start_x
"$build/tests/gui/app/quorbel_chooser_show" &
demo_pids+=($!)
"$build/tests/gui/app/quorbel_window_shot" "Serial Device" docs/serial-device.png
echo "docs/serial-device.png written"
