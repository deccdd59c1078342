#!/usr/bin/env bash
# Fuzzes every harness in fuzz/ for a while with libFuzzer.
#   scripts/fuzz.sh [seconds]     each fuzzer runs that long (60 by default)
# Builds with clang in build-fuzz/. Each fuzzer starts from a scratch copy of
# its seed corpus, so the seeds in the repository stay as they are. Prints the
# executions and crashes of each fuzzer; exits non-zero when any crashed, with
# the crashing inputs kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [seconds]" >&2
  exit 2
fi

"$(pwd)/scripts/setup.sh"

build=build-fuzz
names=()
for harness in fuzz/*_fuzzer.cpp; do
  stem=$(basename "$harness" .cpp)
  names+=("${stem%_fuzzer}")
done

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORBEL_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${names[@]/#/fuzz_}"

artifacts="$(pwd)/$build/artifacts"
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Harnesses that write files (the keyset files') write them in memory when
# they can: on disk, waiting for each save to reach it would be most of the run.
files_in=$scratch
[ -d /dev/shm ] && [ -w /dev/shm ] && files_in=$(mktemp -d /dev/shm/quorbel-fuzz-XXXXXX)
trap 'rm -rf "$scratch" "$files_in"' EXIT

failed=0
summary=()
for name in "${names[@]}"; do
  corpus="$scratch/$name/corpus"
  mkdir -p "$corpus" "$scratch/$name/found"
  cp -r "fuzz/corpus/$name/." "$corpus/"
  log="$scratch/$name/log"
  echo "Fuzzing $name for ${seconds}s"
  status=0
  TMPDIR=$files_in "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$scratch/$name/found/" "$corpus" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  crashes=$(find "$scratch/$name/found" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then
    crashes=1  # ended abnormally without writing an input
  fi
  if [ "$crashes" -ne 0 ]; then
    failed=1
    cp -r "$scratch/$name/found/." "$artifacts/" 2>/dev/null || true
    grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' "$log" | head -20 || true
  fi
  summary+=("$(printf '%-14s %12s executions %3d crashes  corpus %d inputs' "$name" \
    "${executions:-?}" "$crashes" "$(find "$corpus" -type f | wc -l)")")
done

echo
echo "Fuzzing, ${seconds}s per fuzzer:"
printf '  %s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
  echo "Crashing inputs are in $artifacts" >&2
fi
exit "$failed"
