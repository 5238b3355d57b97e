#!/usr/bin/env bash
# Builds everything and runs every test, plainly and under the sanitizers, then
# fuzzes the matcher, config.xml and the .eml reader for a short fixed time, and
# runs the Windows add-in under Wine.
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

# Windows: both DLLs are cross-built from one source. The 64-bit one is driven under
# Wine by the program that plays Outlook; the 32-bit one is checked statically, and
# its Wine tests skip themselves where 32-bit code cannot run.
stop_wine() {
  for prefix in build/windows-x64/wineprefix build/windows-x86/wineprefix; do
    [ -d "$prefix" ] && WINEPREFIX=$PWD/$prefix wineserver -k 2>/dev/null || true
  done
}
trap stop_wine EXIT
for arch in x64 x86; do
  cmake --preset "windows-$arch"
  cmake --build --preset "windows-$arch" -j "$jobs"
done
scripts/check-dll.sh build/windows-x64/Sendwarden.dll x86_64
scripts/check-dll.sh build/windows-x86/Sendwarden.dll i686
for arch in x64 x86; do
  xvfb-run -a -s '-screen 0 1280x1024x24' ctest --preset "windows-$arch"
  grep -h '^SKIPPED' "build/windows-$arch/Testing/Temporary/LastTest.log" || true
done
