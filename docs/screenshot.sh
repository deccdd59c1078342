#!/usr/bin/env bash
# Takes docs/main-window.png: QuorbelU with the simulated surface on Com 1, on
# a virtual X server of its own. Build first (scripts/test.sh or cmake --build build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
run=$(mktemp -d)
pids=()
finish() {
  # The program first, the X server last.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$run"
}
trap finish EXIT

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r display <&3
export DISPLAY=":$display"

printf '[QUORBELU]\r\nCom Port=1\r\nBaud Rate=38400\r\n' >"$run/QuorbelU.ini"
mkdir "$run/keysets"
"$build/tools/quorbel-surface" --port 1 --dir "$run" --stay </dev/null >/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -e "$run/ports/com1" ] && break; sleep 0.05; done
(cd "$run" && XDG_RUNTIME_DIR="$run" exec "$OLDPWD/$build/app/quorbelu") &
pids+=($!)
"$build/tests/gui/app/quorbel_window_shot" "Quorbel - Default" docs/main-window.png
echo "docs/main-window.png written"
