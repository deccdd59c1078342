#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...].
# The prefix is made once (wineboot), under a lock, so that tests started side
# by side share it; Wine's own messages are silenced. Wine's menu builder is
# switched off: a program that makes a Start-menu shortcut (the installer)
# would otherwise have it write menu entries into this machine's home folder.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
if [ ! -f "$prefix/.quorbel-ready" ]; then
  mkdir -p "$prefix"
  (
    flock 9
    if [ ! -f "$prefix/.quorbel-ready" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait
      touch "$prefix/.quorbel-ready"
    fi
  ) 9>"$prefix.lock"
fi
exec wine "$@"
