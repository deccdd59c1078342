#!/usr/bin/env bash
# Runs the Windows device-latency bench under Wine with COM1 and COM2 joined
# back to back: run-under-wine.sh BUILD-WINDOWS [PRESSES]
# (after scripts/test.sh --windows, or a build of build-windows with
# QUORBEL_BENCH on). The surface's bytes pass the relay of com-pair.py on
# their way, a hop the Linux bench does not have.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
prefix=$build/wine
folder=$(mktemp -d)
python3 "$here/com-pair.py" "$folder" >"$folder/relay.log" 2>&1 &
relay=$!
# The Wine server, started first with its messages silenced: when it ends it
# lists every object it still holds, thousands of lines after the figures.
mkdir -p "$prefix"
WINEPREFIX=$prefix wineserver -p 2>/dev/null
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; kill $relay 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 50); do grep -q ready "$folder/relay.log" && break; sleep 0.1; done
mkdir -p "$prefix/dosdevices"
for n in 1 2; do
  "$here/../../cmake/wine-run.sh" "$prefix" reg add 'HKLM\Software\Wine\Ports' /v COM$n \
    /d "$folder/com$n" /f >/dev/null
  ln -sfn "$folder/com$n" "$prefix/dosdevices/com$n"
done
"$here/../../cmake/wine-run.sh" "$prefix" "$build/bench/windows/bench_device_latency_windows.exe" "${2:-10000}"
