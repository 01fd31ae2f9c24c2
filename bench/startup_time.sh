#!/usr/bin/env bash
# Time from starting `kora-editor FILE` until its main window is on a virtual screen with the
# document's caption (the document is loaded and the status counts written before the window is
# shown), for generated documents of 1 MB and 10 MB. Each figure stands beside the same run's
# baseline of reading the file with `cat` and `wc -w`, so it reads as a ratio on a busy machine.
#   startup_time.sh EDITOR GENERATOR [RUNS]
set -euo pipefail
editor="$1"
generator="$2"
runs="${3:-3}"
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
printf '%-14s %10s %12s %12s\n' "dokument" "okno (s)" "cat (s)" "wc -w (s)"
for file in "$@"; do
  name="$(basename "$file")"
  pattern="${name//./\\.}"
  shown=(); cats=(); counts=()
  for _ in $(seq "$runs"); do
    start="$(now)"
    "$editor" "$file" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --name "$pattern" >/dev/null 2>&1; do sleep 0.01; done
    shown+=("$(seconds $(($(now) - start)))")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    start="$(now)"; cat "$file" >/dev/null; cats+=("$(seconds $(($(now) - start)))")
    start="$(now)"; wc -w "$file" >/dev/null; counts+=("$(seconds $(($(now) - start)))")
  done
  printf '%-14s %10.2f %12.3f %12.3f\n' "$name" "$(printf '%s\n' "${shown[@]}" | median)" \
    "$(printf '%s\n' "${cats[@]}" | median)" "$(printf '%s\n' "${counts[@]}" | median)"
done
INNER
chmod +x "$work/measure.sh"
echo "Start editoru až po zobrazené okno s dokumentem (medián z $runs běhů):"
xvfb-run -a -s '-screen 0 1024x768x24' "$work/measure.sh" "$editor" "$runs" \
  "$work/doc-1MB.rtf" "$work/doc-10MB.rtf" "$work/doc-10MB.txt"
