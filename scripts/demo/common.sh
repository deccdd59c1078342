# Shared by the demonstration scripts: child processes that are ended on the
# way out, waiting for a line of a program's output, and the demo folder.
# Sourced; expects `set -euo pipefail` and $build (the build folder).

demo_pids=()
demo_scratch=$(mktemp -d)

# Ends the children, the last started first (the X server, started first,
# goes last), and removes the scratch folder.
demo_finish() {
  local i
  for ((i = ${#demo_pids[@]} - 1; i >= 0; i--)); do
    kill "${demo_pids[i]}" 2>/dev/null || true
    wait "${demo_pids[i]}" 2>/dev/null || true
  done
  rm -rf "$demo_scratch"
}
trap demo_finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# Starts a virtual X server of the demonstration's own and points DISPLAY and
# XAUTHORITY at it. It accepts only clients that show its authority cookie, so
# other users of the machine cannot read or type into the demonstration.
demo_start_x() {
  local cookie display
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  export XAUTHORITY=$demo_scratch/Xauthority
  (umask 077 && : >"$XAUTHORITY")
  # The server takes every cookie of its file, whatever display it names; the
  # client's entry follows once the display number is known.
  xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
  exec 3< <(exec Xvfb -displayfd 1 -auth "$XAUTHORITY" -screen 0 1280x800x24 -nolisten tcp 2>/dev/null)
  demo_pids+=($!)
  read -r -t 15 display <&3 || { echo "demo: Xvfb did not start" >&2; return 1; }
  xauth -q -f "$XAUTHORITY" add ":$display" . "$cookie"
  export DISPLAY=":$display"
}

# Waits up to $3 seconds for a line of file $1 that matches the extended
# regular expression $2.
demo_wait_for_line() {
  local file=$1 pattern=$2 seconds=$3 tries
  for ((tries = seconds * 20; tries > 0; tries--)); do
    grep -Eq -- "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.05
  done
  echo "demo: no line matching \"$pattern\" in $(basename "$file") after ${seconds}s" >&2
  return 1
}

# Writes the preferences (Com 1) of folder $1 and, when $2 is "fresh" or the
# folder has no keysets yet, its Default and sample keysets; the sample
# keyset's assignments go to $1/sample-keyset.tsv (control, name, keys).
demo_prepare_folder() {
  local folder=$1 mode=${2:-}
  mkdir -p "$folder"
  printf '[QUORBELU]\r\nCom Port=1\r\nBaud Rate=38400\r\n' >"$folder/QuorbelU.ini"
  if [ "$mode" = fresh ] || ! ls "$folder"/keysets/*.qrb >/dev/null 2>&1; then
    "$build/packaging/quorbel-sample-keysets" "$folder" >"$folder/sample-keyset.tsv"
  fi
}

# Starts the simulated surface on Com 1 of folder $1 and returns once its
# port link exists. With $2 "window" it shows its window and is driven by
# clicks; with "scripted" it has none and reads its commands from file
# descriptor 4.
demo_start_surface() {
  local folder=$1 options=(--window) input=/dev/null
  if [ "$2" = scripted ]; then
    options=()
    input="$demo_scratch/surface.in"
    mkfifo "$input"
  fi
  "$build/tools/quorbel-surface" "${options[@]}" --port 1 --dir "$folder" --stay \
    <"$input" >"$demo_scratch/surface.out" 2>&1 &
  demo_pids+=($!)
  if [ "$2" = scripted ]; then exec 4>"$input"; fi
  demo_wait_for_line "$demo_scratch/surface.out" '^ready' 15
}
