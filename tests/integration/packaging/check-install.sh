#!/usr/bin/env bash
# Installs build $1 into prefix $2 and checks what a desktop needs is there:
# the programs, the start-up wrapper, the menu entry and the icons.
set -euo pipefail
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

for program in quorbelu quorbel-surface quorbelu-launch; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not an installed program"
done

entry="$prefix/share/applications/quorbelu.desktop"
if [ -f "$entry" ]; then
  grep -qx 'Exec=quorbelu-launch' "$entry" || fail "the desktop entry does not start the wrapper"
  grep -qx 'Icon=quorbelu' "$entry" || fail "the desktop entry names another icon"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
  fi
else
  fail "no share/applications/quorbelu.desktop"
fi

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
  local words
  words=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ' | sed 's/^ //')
  set -- $words
  echo "$(($1 << 24 | $2 << 16 | $3 << 8 | $4))x$(($5 << 24 | $6 << 16 | $7 << 8 | $8))"
}
for size in 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorbelu.png"
  if [ ! -f "$icon" ]; then
    fail "no ${size}x${size} icon"
  elif [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" != 89504e470d0a1a0a ]; then
    fail "the ${size}x${size} icon is not a PNG"
  elif [ "$(png_size "$icon")" != "${size}x${size}" ]; then
    fail "the ${size}x${size} icon measures $(png_size "$icon")"
  fi
done

# The user guide that Help opens, with every picture it shows.
guide="$prefix/share/doc/quorbelu/guide.html"
if [ -f "$guide" ]; then
  for picture in $(grep -o 'src="[^"]*"' "$guide" | sed 's/src="\(.*\)"/\1/'); do
    [ -f "$prefix/share/doc/quorbelu/$picture" ] || fail "the guide's picture $picture is missing"
  done
else
  fail "no share/doc/quorbelu/guide.html"
fi

# The helpers that name the window in front on Wayland: the KWin script
# where the program looks for it (share/quorbelu beside bin/), and the GNOME
# Shell extension in a folder named after its uuid, which the Shell demands.
[ -f "$prefix/share/quorbelu/kwin/quorbelu-windows.js" ] || fail "no KWin script"
extensions="$prefix/share/gnome-shell/extensions"
found=0
for folder in "$extensions"/*/; do
  [ -f "$folder/metadata.json" ] || continue
  found=1
  [ -f "$folder/extension.js" ] || fail "the extension in $folder has no extension.js"
  uuid=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["uuid"])' \
    "$folder/metadata.json") || fail "the metadata of $folder is no JSON with a uuid"
  [ "$uuid" = "$(basename "$folder")" ] || fail "the extension $uuid lies in $(basename "$folder")"
done
[ "$found" = 1 ] || fail "no GNOME Shell extension"

# The wrapper makes the user's folder and starts the program inside it.
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
cp "$prefix/bin/quorbelu-launch" "$fake/"
printf '#!/bin/sh\npwd\n' >"$fake/quorbelu"
chmod +x "$fake/quorbelu"
started_in=$(env -u QUORBELU_HOME -u XDG_DATA_HOME HOME="$fake/home" "$fake/quorbelu-launch")
[ "$started_in" = "$fake/home/.local/share/quorbelu" ] ||
  fail "the wrapper started the program in \"$started_in\""
started_in=$(QUORBELU_HOME="$fake/own folder" "$fake/quorbelu-launch")
[ "$started_in" = "$fake/own folder" ] || fail "QUORBELU_HOME is not the folder used"

exit "$failed"
