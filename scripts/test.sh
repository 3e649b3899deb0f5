#!/usr/bin/env bash
# Builds everything and runs every check: the unit tests under AddressSanitizer with
# UndefinedBehaviorSanitizer and under ThreadSanitizer, each fuzz target for a while, then the
# plain build's tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
fuzz_seconds=${GMOUSE_FUZZ_SECONDS:-30}

configure_and_build() {
  local dir=$1; shift
  cmake -S "$root" -B "$root/build/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$root/build/$dir" -j "$jobs"
}

echo "== Unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
configure_and_build asan -DCMAKE_BUILD_TYPE=Debug -DGMOUSE_SANITIZE=address,undefined
# intercept_tls_get_addr=0: the leak checker of GCC 12's runtime crashes in its own tracking of
# dynamically allocated TLS blocks at exit (after a test passed) when a font or image plugin's
# TLS was in use; static TLS, stacks, registers and the heap are still scanned.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"

echo "== Unit tests with ThreadSanitizer"
configure_and_build tsan -DCMAKE_BUILD_TYPE=Debug -DGMOUSE_SANITIZE=thread -DGMOUSE_UI=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir "$root/build/tsan" --output-on-failure -j "$jobs"

echo "== Fuzz targets, ${fuzz_seconds} s each"
CC=clang CXX=clang++ configure_and_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGMOUSE_TESTS=OFF -DGMOUSE_UI=OFF -DGMOUSE_FUZZ=ON -DGMOUSE_SANITIZE=address,undefined,fuzzer-no-link
for target in "$root"/build/fuzz/tests/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="$root/tests/fuzz/seeds/${name%_fuzz}"
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" \
    $( [ -d "$seeds" ] && echo "$seeds" ) 2>"$root/build/fuzz/$name.log" \
    || { tail -n 60 "$root/build/fuzz/$name.log"; exit 1; }
  grep -E '^Done|^#[0-9]+.*DONE' "$root/build/fuzz/$name.log" | tail -n 1 || true
done

echo "== Unit tests"
configure_and_build release -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs"
