#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/release" -j "$(nproc)"
program="$root/build/release/src/app/gmouse"
if [ ! -x "$program" ]; then
  echo "The window of the program is not built yet: this build holds the settings and macro core and its tests."
  exit 0
fi
exec "$program" "$@"
