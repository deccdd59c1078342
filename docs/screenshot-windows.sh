#!/usr/bin/env bash
# Takes docs/main-window-windows.png: quorbelu.exe under Wine with the
# simulated surface on COM1, on a virtual X server of its own with a window
# manager. Build first: the Windows build (scripts/test.sh --windows, or
# cmake --build build-windows --target quorbelu windows_window_shot) and the
# Linux surface tool (cmake --build build --target quorbel-surface).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
linux=${2:-build}
root=$(pwd)
run=$(mktemp -d)
export WINEPREFIX=$root/$build/wine WINEDEBUG=-all
pids=()
finish() {
  WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
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
openbox >/dev/null 2>&1 &
pids+=($!)

printf '[QUORBELU]\r\nCom Port=1\r\nBaud Rate=38400\r\n' >"$run/QuorbelU.ini"
mkdir "$run/keysets"
"$linux/tools/quorbel-surface" --port 1 --dir "$run" --stay </dev/null >/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -e "$run/ports/com1" ] && break; sleep 0.05; done
cmake/wine-run.sh "$WINEPREFIX" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$run/ports/com1" /f \
  >/dev/null
mkdir -p "$WINEPREFIX/dosdevices"
ln -sfn "$run/ports/com1" "$WINEPREFIX/dosdevices/com1"
(cd "$run" && exec wine "$root/$build/app/quorbelu.exe") &
pids+=($!)
wine "$build/tests/windows/program/windows_window_shot.exe" "Quorbel - Default" "$run/shot.bmp"
# BMP to PNG: rows bottom-up in BGR, each padded to four bytes.
python3 - "$run/shot.bmp" docs/main-window-windows.png <<'PYTHON'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
offset, = struct.unpack_from("<I", data, 10)
width, height = struct.unpack_from("<ii", data, 18)
stride = (width * 3 + 3) & ~3
rows = []
for y in range(height - 1, -1, -1):
    row = data[offset + y * stride: offset + y * stride + width * 3]
    rgb = bytearray(row)
    rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
    rows.append(b"\0" + bytes(rgb))
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
PYTHON
echo "docs/main-window-windows.png written"
