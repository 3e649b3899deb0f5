#!/usr/bin/env bash
# Builds the program and starts it. Without the mouse plugged in it runs on the virtual mouse
# (GMOUSE_DEVICE=auto); set GMOUSE_DEVICE=virtual to always use the virtual mouse, or
# GMOUSE_DEVICE=real for the plugged-in mouse only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/release" -j "$(nproc)" --target gmouse
export GMOUSE_DEVICE="${GMOUSE_DEVICE:-auto}"
exec "$root/build/release/src/app/gmouse" "$@"
