#!/usr/bin/env bash
# Builds QuorbelU and runs its tests.
#   scripts/test.sh              normal build in build/ and every test; the quick one
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-asan/
#   scripts/test.sh --tsan       thread sanitizer in build-tsan/
#   scripts/test.sh --all        all three, then every fuzzer for 60 s (scripts/fuzz.sh);
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

# Runs every test of build $1.
run_tests() {
  ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

normal() {
  build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  run_tests build
}

address() {
  build build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORBEL_SANITIZE=ON -DQUORBEL_BENCH=OFF
  run_tests build-asan
}

thread() {
  build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_TSAN=ON -DQUORBEL_BENCH=OFF
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" run_tests build-tsan
}

"$(pwd)/scripts/setup.sh"

case "${1:-}" in
  "") normal ;;
  --sanitize) address ;;
  --tsan) thread ;;
  --all)
    stages=(normal address thread fuzz)
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
    echo "usage: scripts/test.sh [--sanitize | --tsan | --all]" >&2
    exit 2
    ;;
esac
