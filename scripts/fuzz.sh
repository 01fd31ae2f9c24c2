#!/usr/bin/env bash
# Builds the fuzzers into build-fuzz/ (clang, ASan + UBSan) and runs them one after another, one
# worker each, SECONDS in all, shared evenly:
#   scripts/fuzz.sh SECONDS [FUZZER...] [-- extra libFuzzer flags]
# Fuzzers: rtf_reader plain_text registry history_list html_export date_format word_list
# (default: all).
# Each starts from its seeds in fuzz/seeds/ (RTF ones also from the test documents and, when it
# is there, the shared corpus) and keeps what it learns in fuzz/corpus-work/NAME/; findings go to
# fuzz/artifacts/NAME/. Prints each run's statistics; exits non-zero when any fuzzer found a
# crash, hang, leak or sanitizer report.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:?usage: scripts/fuzz.sh SECONDS [FUZZER...] [-- libFuzzer flags]}"
shift
all=(rtf_reader plain_text registry history_list html_export date_format word_list)
names=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  names+=("$1")
  shift
done
[ "${1:-}" = "--" ] && shift
[ ${#names[@]} -eq 0 ] && names=("${all[@]}")
for name in "${names[@]}"; do
  [[ " ${all[*]} " == *" $name "* ]] || { echo "fuzz: unknown fuzzer $name (known: ${all[*]})" >&2; exit 2; }
done
build="$root/build-fuzz"

"$root/scripts/setup.sh"

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORA_BUILD_FUZZ=ON -DKORA_BUILD_TESTS=OFF -DKORA_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target "${names[@]/%/_fuzzer}" -j2

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"

# Seeds: the fuzzer's own, and for the RTF fuzzers every RTF document the tests use.
seed() {
  local work="$1"
  shift
  shopt -s nullglob
  for file in "$@"; do
    [ -e "$work/$(basename "$file")" ] || cp "$file" "$work/"
  done
  shopt -u nullglob
}

each=$((seconds / ${#names[@]}))
[ "$each" -gt 0 ] || each=1
findings=0
for name in "${names[@]}"; do
  work="$root/fuzz/corpus-work/$name"
  artifacts="$root/fuzz/artifacts/$name"
  mkdir -p "$work" "$artifacts"
  max_len=65536
  case "$name" in
    rtf_reader | html_export)
      seed "$work" "$root/fuzz/seeds/rtf"/* "$root/tests/richedit/data"/*.rtf "$root/tests/richedit/data/fuzz"/*.rtf \
        "$root/../shared/corpus/rtf"/*.rtf
      # Laying out a long document for every input would leave little time for anything else.
      [ "$name" = html_export ] && max_len=16384
      ;;
    *) seed "$work" "$root/fuzz/seeds/$name"/* ;;
  esac
  before="$(ls "$artifacts" | wc -l)"
  status=0
  echo "== $name: $each s"
  "$build/fuzz/${name}_fuzzer" -max_total_time="$each" -max_len="$max_len" -timeout=20 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$@" "$work" 2>"$build/$name.log" || status=$?
  grep -E '^(stat::|#[0-9]+ *DONE|Done )' "$build/$name.log" || true
  after="$(ls "$artifacts" | wc -l)"
  if [ "$status" -ne 0 ] || [ "$after" -ne "$before" ]; then
    echo "fuzz: $name found something (status $status), see $artifacts and $build/$name.log" >&2
    tail -n 30 "$build/$name.log" >&2
    findings=1
  fi
done
exit "$findings"
