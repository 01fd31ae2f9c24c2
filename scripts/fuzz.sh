#!/usr/bin/env bash
# Builds the RTF reader fuzzer into build-fuzz/ (clang, ASan + UBSan) and runs it for SECONDS.
# Seeds fuzz/corpus-work/ from the shared corpus and the test data; crashes go to fuzz/artifacts/.
# Exits non-zero when the fuzzer found a crash, hang, leak or sanitizer report.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:?usage: scripts/fuzz.sh SECONDS [extra libFuzzer flags]}"
shift
build="$root/build-fuzz"
work="$root/fuzz/corpus-work"
artifacts="$root/fuzz/artifacts"

"$root/scripts/setup.sh"

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORA_BUILD_FUZZ=ON -DKORA_BUILD_TESTS=OFF -DKORA_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target rtf_reader_fuzzer -j2

mkdir -p "$work" "$artifacts"
shopt -s nullglob
for seed in "$root/../shared/corpus/rtf"/*.rtf "$root/tests/richedit/data"/*.rtf \
            "$root/tests/richedit/data/fuzz"/*.rtf; do
  [ -e "$work/$(basename "$seed")" ] || cp "$seed" "$work/"
done

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

before="$(ls "$artifacts" | wc -l)"
status=0
"$build/fuzz/rtf_reader_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$@" "$work" || status=$?
after="$(ls "$artifacts" | wc -l)"

if [ "$status" -ne 0 ] || [ "$after" -ne "$before" ]; then
  echo "fuzz: findings in $artifacts" >&2
  exit 1
fi
