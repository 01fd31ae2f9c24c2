#!/usr/bin/env bash
# Time from starting `kora-editor FILE` until its main window is on a virtual screen with the
# document's caption (the document is loaded and the status counts written before the window is
# shown), and the processor time it used by then, for generated documents of 1 MB and 10 MB. Each
# figure stands beside the same run's baseline of reading the file with `cat` and `wc -w`, so it
# reads as a ratio on a busy machine.
# Then, for each document left open and untouched: the share of a core the program uses from 10 to
# 20 seconds after its start, and its peak resident memory. Last, kora-convert's time for the 10 MB
# RTF to plain text.
#   startup_time.sh EDITOR CONVERT GENERATOR [RUNS]
set -euo pipefail
editor="$1"
convert="$2"
generator="$3"
runs="${4:-3}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KORA_HOME="$work/home" KORA_CONFIG_DIR="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$KORA_HOME" "$KORA_CONFIG_DIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

for doc in "rtf 1" "rtf 10" "txt 10"; do
  set -- $doc
  "$generator" "$1" "$2" "$work/doc-$2MB.$1"
done

cat >"$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
editor="$1"; runs="$2"; shift 2
now() { date +%s%N; }
seconds() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e9 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ticks="$(getconf CLK_TCK)"
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
printf '%-14s %10s %10s %12s %12s\n' "dokument" "okno (s)" "CPU (s)" "cat (s)" "wc -w (s)"
for file in "$@"; do
  name="$(basename "$file")"
  pattern="${name//./\\.}"
  shown=(); used=(); cats=(); counts=()
  for _ in $(seq "$runs"); do
    start="$(now)"
    "$editor" "$file" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --name "$pattern" >/dev/null 2>&1; do sleep 0.01; done
    shown+=("$(seconds $(($(now) - start)))")
    used+=("$(awk -v t="$(cpu "$pid")" -v hz="$ticks" 'BEGIN { printf "%.2f", t / hz }')")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    start="$(now)"; cat "$file" >/dev/null; cats+=("$(seconds $(($(now) - start)))")
    start="$(now)"; wc -w "$file" >/dev/null; counts+=("$(seconds $(($(now) - start)))")
  done
  printf '%-14s %10.2f %10.2f %12.3f %12.3f\n' "$name" "$(printf '%s\n' "${shown[@]}" | median)" \
    "$(printf '%s\n' "${used[@]}" | median)" \
    "$(printf '%s\n' "${cats[@]}" | median)" "$(printf '%s\n' "${counts[@]}" | median)"
done
echo
printf '%-14s %14s %14s\n' "dokument" "klid (% jádra)" "špička (MB)"
for file in "$@"; do
  "$editor" "$file" >/dev/null 2>&1 &
  pid=$!
  sleep 10
  before="$(cpu "$pid")"
  sleep 10
  after="$(cpu "$pid")"
  peak="$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  printf '%-14s %14.1f %14.0f\n' "$(basename "$file")" \
    "$(awk -v t="$((after - before))" -v hz="$ticks" 'BEGIN { print 100 * t / hz / 10 }')" \
    "$(awk -v kb="$peak" 'BEGIN { print kb / 1024 }')"
done
INNER
chmod +x "$work/measure.sh"
echo "Start editoru až po zobrazené okno s dokumentem (medián z $runs běhů):"
xvfb-run -a -s '-screen 0 1024x768x24' "$work/measure.sh" "$editor" "$runs" \
  "$work/doc-1MB.rtf" "$work/doc-10MB.rtf" "$work/doc-10MB.txt"
echo
TIMEFORMAT='%R %U %S'
converted="$( { time "$convert" "$work/doc-10MB.rtf" "$work/converted.txt"; } 2>&1)"
baseline="$( { time cat "$work/doc-10MB.rtf" >/dev/null; } 2>&1)"
awk -v t="$converted" -v c="$baseline" 'BEGIN {
  split(t, a, " "); split(c, b, " ")
  printf "kora-convert doc-10MB.rtf → .txt: %.2f s, CPU %.2f s (cat %.3f s)\n", a[1], a[2] + a[3], b[1]
}'
