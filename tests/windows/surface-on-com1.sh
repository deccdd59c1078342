#!/usr/bin/env bash
# Runs a Windows test program under Wine with the simulated surface on COM1:
#   surface-on-com1.sh SURFACE-TOOL WINE-RUN PREFIX PROGRAM [ARGUMENTS...]
# The surface makes a pseudo-terminal and the link ports/com1 to it in a
# folder of its own; COM1 of the Wine prefix is mapped to that link
# (HKLM\Software\Wine\Ports, and the device link Wine makes of it), so a
# surface unplugged and plugged again is found again on COM1. The program
# tells the surface what to do through the file named in
# QUORBEL_SURFACE_COMMANDS, one command a line, and reads what the surface
# prints in the file named in QUORBEL_SURFACE_LOG.
set -euo pipefail
tool=$1 wine_run=$2 prefix=$3 program=$4
shift 4
folder=$(mktemp -d)
commands=$folder/commands
: >"$commands"
cleanup() {
  [ -n "${feeder:-}" ] && kill "$feeder" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
# tail follows the file as the program appends to it; the surface ends with it.
tail -n +1 -f -s 0.05 "$commands" | "$tool" --port 1 --dir "$folder" >"$folder/surface.log" 2>&1 &
feeder=$(jobs -p | head -1)
for _ in $(seq 100); do
  grep -q '^ready' "$folder/surface.log" && break
  sleep 0.1
done
grep -q '^ready' "$folder/surface.log" || { echo "the simulated surface did not start"; cat "$folder/surface.log"; exit 1; }

"$wine_run" "$prefix" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$folder/ports/com1" /f >/dev/null
mkdir -p "$prefix/dosdevices"
ln -sfn "$folder/ports/com1" "$prefix/dosdevices/com1"
QUORBEL_SURFACE_COMMANDS="Z:$commands" QUORBEL_SURFACE_LOG="Z:$folder/surface.log" \
  "$wine_run" "$prefix" "$program" "$@"
