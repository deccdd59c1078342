#!/usr/bin/env bash
# Builds QuorbelU and runs its tests.
#   scripts/test.sh              normal build in build/ and every test; the quick one
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-asan/
#   scripts/test.sh --tsan       thread sanitizer in build-tsan/, without the Qt tests
#   scripts/test.sh --wayland    normal build, only the tests on a headless sway (label wayland)
#   scripts/test.sh --windows    cross-build for Windows with MinGW-w64 in build-windows/
#                                and run the Windows tests under Wine
#   scripts/test.sh --all        all of these, then every fuzzer for 60 s (scripts/fuzz.sh);
#                                what continuous integration runs
set -euo pipefail
cd "$(dirname "$0")/.."

# Configures and builds in $1 with the CMake options after it.
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$(nproc)"
}

# Runs the tests of build $1, with any further CTest arguments.
run_tests() {
  local dir=$1
  shift
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "$@"
}

# The stages pick their tests by label: each test carries one of unit,
# integration, gui, e2e or long; the program on a headless sway carries
# wayland beside e2e.

normal() {
  build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  run_tests build -LE '^wayland$'
}

address() {
  build build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORBEL_SANITIZE=ON -DQUORBEL_BENCH=OFF
  run_tests build-asan
}

# The program on a headless sway, with a Wayland target client.
wayland() {
  build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  run_tests build -L '^wayland$'
}

thread() {
  build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_TSAN=ON -DQUORBEL_BENCH=OFF
  # Qt's libraries are not built with the thread sanitizer: it reports races
  # in Qt's own painting threads, with both accesses inside Qt, that it cannot
  # see ordered. The tests that run Qt (labels gui, e2e and wayland) stay out
  # of this build.
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    run_tests build-tsan -LE '^(gui|e2e|wayland)$'
}

# The logic, the Windows platform layer and their tests as static Windows
# programs, run under Wine in a Wine prefix of the build folder's own, on a
# virtual display of their own. The Wine server stays up for the whole run, so
# that each test program does not start it afresh. The simulated surface of
# the Linux build stands in for the surface on a COM port. Optimised as the
# Linux build (-O2; GCC 12 warns falsely on string copies at -O3, and warnings
# are errors), but without debug information: nothing reads it under Wine, and
# it would be 40% of the compile time and twelve times the objects' size.
windows() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  # The Linux build's tools: the simulated surface, and the drawing of the
  # pictures into resources (which the cross build would otherwise build itself).
  cmake --build build -j "$(nproc)" --target quorbel-surface quorbel-art-resources
  build build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUORBEL_BENCH=OFF \
    -DQUORBEL_SURFACE_TOOL="$(pwd)/build/tools/quorbel-surface" \
    -DQUORBEL_ART_TOOL="$(pwd)/build/tools/quorbel-art-resources"
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  local xvfb=$!
  for _ in $(seq 100); do [ -s "$number" ] && break; sleep 0.1; done
  local display=:$(cat "$number")
  rm -f "$number"
  DISPLAY=$display openbox >/dev/null 2>&1 &
  local wm=$!
  export WINEPREFIX="$(pwd)/build-windows/wine" WINEDEBUG=-all
  local status=0
  DISPLAY=$display run_tests build-windows || status=$?
  wineserver -k >/dev/null 2>&1 || true
  kill "$wm" "$xvfb" 2>/dev/null || true
  return "$status"
}

"$(pwd)/scripts/setup.sh"

case "${1:-}" in
  "") normal ;;
  --sanitize) address ;;
  --tsan) thread ;;
  --wayland) wayland ;;
  --windows) windows ;;
  --all)
    stages=(normal wayland address thread windows fuzz)
    times=()
    for stage in "${stages[@]}"; do
      echo "=== $stage"
      start=$SECONDS
      if [ "$stage" = fuzz ]; then scripts/fuzz.sh 60; else "$stage"; fi
      times+=("$stage $((SECONDS - start))s")
    done
    echo "=== every stage passed: ${times[*]}"
    ;;
  *)
    echo "usage: scripts/test.sh [--sanitize | --tsan | --wayland | --windows | --all]" >&2
    exit 2
    ;;
esac
