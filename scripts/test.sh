#!/usr/bin/env bash
# Builds everything and runs every test, plainly and under the sanitizers, then
# fuzzes the matcher, config.xml and the .eml reader for a short fixed time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

cmake --preset linux
cmake --build --preset linux -j "$jobs"
ctest --preset linux -j "$jobs"

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"

# Each fuzz target for a fixed time from its seeds (the corpus it grows stays in
# build/fuzz); a crash, a sanitizer report or a wrong result fails the run.
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
fuzz() {
  local target=$1
  shift
  local corpus=build/fuzz/corpus/$target log=build/fuzz/$target.log
  mkdir -p "$corpus" build/fuzz/artifacts
  if ! "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time=30 -timeout=10 \
       -artifact_prefix="build/fuzz/artifacts/$target-" "$corpus" "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz $target: FAILED (full output in $log)" >&2
    return 1
  fi
  echo "fuzz $target: $(grep '^Done' "$log")"
}
fuzz wildcard tests/fuzz/seeds/wildcard
fuzz config tests/fuzz/seeds/config defaults
fuzz eml tests/data/eml examples
