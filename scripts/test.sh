#!/usr/bin/env bash
# Builds QuorbelU and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

"$(pwd)/scripts/setup.sh"

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  options=(-DCMAKE_BUILD_TYPE=Debug -DQUORBEL_SANITIZE=ON -DQUORBEL_BENCH=OFF)
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
