#!/usr/bin/env bash
# Builds the soak test into build-soak/ (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs OPERATIONS random editing operations (default 20,000) with a fixed seed:
#   scripts/soak.sh [OPERATIONS]
# Exits non-zero on a crash, a sanitizer report or a document that changed through save and reopen.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
operations="${1:-20000}"
build="$root/build-soak"

"$root/scripts/setup.sh"

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORA_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target soak_tests -j2

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
KORA_SOAK_OPERATIONS="$operations" "$build/tests/richedit/soak_tests"
