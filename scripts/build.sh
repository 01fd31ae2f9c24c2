#!/usr/bin/env bash
# Configures and builds KORA Editor into build/ (shared by run.sh and test.sh).
# Arguments go to `cmake --build`, e.g. `--target kora-editor`.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KORA_BUILD_DIR:-$root/build}"
jobs="$(nproc 2>/dev/null || echo 2)"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" "$@"
