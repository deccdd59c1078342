#!/usr/bin/env bash
# The demonstration without a display, on a virtual X server of its own:
# QuorbelU and the simulated surface in FOLDER, and a target window whose
# program is named like the sample keyset. Presses each control the sample
# keyset assigns, prints what the target received, saves a picture of the
# editor to FOLDER/demo.png and succeeds only when every press arrived as
# the keyset says.
#   scripts/demo/headless.sh BUILD FOLDER
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: scripts/demo/headless.sh BUILD FOLDER" >&2
  exit 2
fi
build=$(realpath "$1")
mkdir -p "$2"
folder=$(realpath "$2")
source "$(dirname "$0")/common.sh"

demo_start_x
# The program's single-copy lock lives here, away from any copy the user runs.
export XDG_RUNTIME_DIR=$demo_scratch

demo_prepare_folder "$folder" fresh
demo_start_surface "$folder" scripted
(cd "$folder" && exec "$build/app/quorbelu") &
demo_pids+=($!)
# The caption names the keyset once the editor has found the surface.
"$build/tests/gui/app/quorbel_window_shot" "Quorbel - Default" "$demo_scratch/start.png"

# The target: a window that prints the keys it gets, from a program file
# named after the sample keyset so that the editor plays that keyset to it.
keyset=$(awk -F'\t' '$1 == "keyset" { print $2 }' "$folder/sample-keyset.tsv")
program="$demo_scratch/$(echo "$keyset" | tr '[:upper:]' '[:lower:]')"
cp "$build/tests/integration/x11/x11_recorder" "$program"
"$program" --title "$keyset" >"$demo_scratch/target.out" &
target=$!
demo_pids+=("$target")
demo_wait_for_line "$demo_scratch/target.out" '^ready' 10

# The keys the target received, without the modifier keys themselves, as
# "ctrl+alt+shift+KEY"; one line each.
received_keys() {
  awk '$1 == "press" && $2 !~ /^(Shift|Control|Alt|Meta|Super|Hyper)_[LR]$|^Menu$/ {
    key = $2; state = $3 + 0; text = ""
    if (int(state / 4) % 2) text = text "ctrl+"
    if (int(state / 8) % 2) text = text "alt+"
    if (state % 2) text = text "shift+"
    if (length(key) == 1) key = toupper(key)
    print text key
  }' "$demo_scratch/target.out"
}

echo "Pressing the sample keyset's controls on the simulated surface:"
failures=0
count=0
while IFS=$'\t' read -r control name expected; do
  if [ "$control" = keyset ]; then continue; fi
  echo "press $control" >&4
  echo "release $control" >&4
  count=$((count + 1))
  got=""
  for ((tries = 100; tries > 0; tries--)); do
    got=$(received_keys | sed -n "${count}p")
    if [ -n "$got" ]; then break; fi
    sleep 0.05
  done
  if [ "$got" = "$expected" ]; then
    printf '  %-8s → %s\n' "$name" "$got"
  else
    printf '  %-8s → %s   (the keyset says %s)\n' "$name" "${got:-nothing}" "$expected"
    failures=$((failures + 1))
    # Keep later presses apart from a late key of this one.
    if [ -z "$got" ]; then count=$((count - 1)); fi
  fi
done <"$folder/sample-keyset.tsv"

# The target's window would cover part of the editor's picture.
kill "$target" && wait "$target" 2>/dev/null || true
"$build/tests/gui/app/quorbel_window_shot" "Quorbel - $keyset" "$folder/demo.png" &&
  echo "Picture of the editor after the presses: $folder/demo.png"
if ((failures)); then
  echo "demo: $failures of the presses did not arrive as the keyset says" >&2
  exit 1
fi
echo "Every press arrived as the keyset says."
