#!/usr/bin/env bash
# QuorbelU and the simulated surface, both with their windows, on the display
# of $DISPLAY, working in FOLDER; ends when the editor is closed.
#   scripts/demo/windows.sh BUILD FOLDER
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: scripts/demo/windows.sh BUILD FOLDER" >&2
  exit 2
fi
build=$(realpath "$1")
mkdir -p "$2"
folder=$(realpath "$2")
source "$(dirname "$0")/common.sh"

# Keysets the user changed in an earlier run stay as they are.
demo_prepare_folder "$folder"
demo_start_surface "$folder" window
echo "QuorbelU runs in $folder with the simulated surface on Com 1."
echo "Click the surface's controls; with another window in front they play"
echo "the keyset of its program (\"Default\" for programs without their own)."
status=0
(cd "$folder" && exec "$build/app/quorbelu") || status=$?
exit "$status"
