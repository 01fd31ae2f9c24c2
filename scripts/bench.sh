#!/usr/bin/env bash
# Builds the benchmarks into build-bench/ (Release) and runs them: codec load and save speed of 1 MB
# and 10 MB documents, the status refresh, opening and saving real files in a shown editor, the HTML
# export of an open document, the time from starting the editor on a file until its window is up,
# then the peak memory of a single load and the memory left after opening and closing a 10 MB
# document 50 times, the spell checker: reading its word lists, checking 1 MB
# of Czech, suggestions, its memory; and searching: find special over 10,000 and 100,000 laid-out
# lines, find next through 1 MB and 10 MB.
# Extra arguments go to Google Benchmark.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORA_BUILD_BENCH=ON -DKORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target kora_document_bench kora_peak_memory kora_statistics_bench kora_refresh_bench \
  kora_editor_file_bench kora_html_export_bench kora_generate_document kora-editor kora_spell_bench \
  kora_spell_memory kora_search_bench kora_window_bench kora-convert kora_open_close_memory -j2

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

"$build/bench/kora_document_bench" --benchmark_counters_tabular=true "$@"
"$build/bench/kora_statistics_bench" "$@"
"$build/bench/kora_refresh_bench" "$@"
"$build/bench/kora_editor_file_bench" --benchmark_counters_tabular=true "$@"
"$build/bench/kora_window_bench" "$@"
"$build/bench/kora_html_export_bench" --benchmark_counters_tabular=true "$@"
echo
"$root/bench/startup_time.sh" "$build/src/app/kora-editor" "$build/tools/kora-convert/kora-convert" \
  "$build/bench/kora_generate_document"
echo
for run in "rtf 1" "rtf 10" "txt 1" "txt 10"; do
  # shellcheck disable=SC2086
  "$build/bench/kora_peak_memory" $run
done
"$build/bench/kora_open_close_memory" 10 50
echo
"$build/bench/kora_spell_bench" "$@"
"$build/bench/kora_spell_memory"
echo
"$build/bench/kora_search_bench" --benchmark_counters_tabular=true "$@"
