#!/usr/bin/env bash
# On a virtual display, as a user meets it. An editor opens a document, the user types and makes
# a word bold, and the process is killed with SIGKILL once its recovery copy is written. The next
# start offers the copy before the welcome dialog; "Obnovit" brings it back modified under its
# file's name, and Ctrl+S writes exactly what the copy held into the original file. Then an
# editor with a modified untitled document gets SIGTERM and ends at once, its copy written without
# waiting for the interval; the next start discards that copy with "Zahodit".
# With KORA_SHOT_DIR set, screenshots are left there.
#   recovery_after_crash.sh EDITOR
set -euo pipefail
editor="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KORA_HOME="$work/home" KORA_CONFIG_DIR="$work/config" XDG_CONFIG_HOME="$work/xdg" \
       XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" SHOTS="${KORA_SHOT_DIR:-}" \
       DOC="$work/dopis.rtf"
recovery="$XDG_STATE_HOME/kora-editor/recovery"
mkdir -p "$KORA_HOME" "$KORA_CONFIG_DIR" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM KORA_RECOVERY_INTERVAL
printf '{\\rtf1\\ansi\\ansicpg1250 P\\u367?vodn\\u237? text.}' >"$DOC"
original="$(cat "$DOC")"

cat >"$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
# inner.sh EDITOR STEP
editor="$1"
step="$2"
recovery="$XDG_STATE_HOME/kora-editor/recovery"
window() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
wait_for() {
  for _ in $(seq 150); do
    id="$(window "$1")"
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window $1" >&2
  return 1
}
keys() { xdotool windowfocus --sync "$1"; shift; xdotool key --delay 80 "$@"; sleep 0.3; }
typed() { xdotool windowfocus --sync "$1"; xdotool type --delay 80 "$2"; sleep 0.3; }
shot() { if [ -n "$SHOTS" ]; then import -window root "$SHOTS/recovery-$1.png"; fi; }
# The welcome dialog follows the main window at every start.
close_welcome() { keys "$(wait_for '^Vítejte$')" Escape; }
ended() {
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
copy_holds() {
  for _ in $(seq 100); do
    if grep -qs -- "$1" "$recovery"/*.rtf; then return 0; fi
    sleep 0.1
  done
  echo "no recovery copy holding $1" >&2
  return 1
}

case "$step" in
crash)
  KORA_RECOVERY_INTERVAL=1 "$editor" "$DOC" &
  pid=$!
  main="$(wait_for '^KORA Editor - \( .*dopis.rtf ?\)$')" || exit 1
  close_welcome || exit 1
  keys "$main" ctrl+End space
  typed "$main" "Ahoj"
  keys "$main" ctrl+shift+Left ctrl+b End
  typed "$main" " a nashledanou"
  # Written one second after the last change.
  copy_holds "nashledanou" || exit 1
  sleep 0.5
  shot crashing
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  ;;
restore)
  "$editor" &
  pid=$!
  offer="$(wait_for '^Obnovení dokumentů$')" || exit 1
  if [ -n "$(window '^Vítejte$')" ]; then echo "the welcome dialog came first" >&2; exit 1; fi
  sleep 0.5
  shot dialog
  keys "$offer" alt+o
  main="$(wait_for '^KORA Editor - \( .*dopis.rtf\*\)$')" || exit 1
  close_welcome || exit 1
  shot restored
  keys "$main" ctrl+s
  wait_for '^KORA Editor - \( .*dopis.rtf ?\)$' >/dev/null || exit 1
  keys "$main" alt+F4
  ended "$pid" || { echo "still running after Alt+F4" >&2; kill "$pid"; exit 1; }
  ;;
terminate)
  "$editor" &
  pid=$!
  main="$(wait_for '^KORA Editor - Bez Názvu$')" || exit 1
  close_welcome || exit 1
  typed "$main" "Rozepsany dopis"
  kill -TERM "$pid"
  ended "$pid" || { echo "still running after SIGTERM" >&2; kill -KILL "$pid"; exit 1; }
  wait "$pid" || { echo "SIGTERM: exit status $?" >&2; exit 1; }
  ;;
discard)
  "$editor" &
  pid=$!
  offer="$(wait_for '^Obnovení dokumentů$')" || exit 1
  keys "$offer" alt+z
  keys "$(wait_for '^Potvrzení$')" Return
  main="$(wait_for '^KORA Editor - Bez Názvu$')" || exit 1
  close_welcome || exit 1
  keys "$main" alt+F4
  ended "$pid" || { echo "still running after Alt+F4" >&2; kill "$pid"; exit 1; }
  ;;
esac
INNER
chmod +x "$work/inner.sh"

# Another virtual display starting at the same moment can take the same number: try again then.
run() {
  for _ in 1 2 3; do
    if xvfb-run -a -s '-screen 0 1024x768x24' "$work/inner.sh" "$editor" "$1" 2>"$work/$1.err"; then
      cat "$work/$1.err" >&2
      return 0
    fi
    grep -q 'xvfb-run: error' "$work/$1.err" || break
    sleep 1
  done
  cat "$work/$1.err" >&2
  echo "step $1 failed" >&2
  return 1
}

fail() { echo "$1" >&2; ls -la "$recovery" >&2 || true; exit 1; }
copies() { find "$recovery" -name '*.rtf' 2>/dev/null | wc -l; }

run crash || exit 1
[ "$(copies)" = 1 ] || fail "one copy expected after the crash"
cp "$recovery"/*.rtf "$work/copy.rtf"
grep -q 'Ahoj' "$work/copy.rtf" && grep -q '\\b' "$work/copy.rtf" || fail "the copy lacks the bold word: $(cat "$work/copy.rtf")"
[ "$(cat "$DOC")" = "$original" ] || fail "the crash changed the document's file"

run restore || exit 1
cmp "$DOC" "$work/copy.rtf" || fail "the saved document differs from the copy: $(cat "$DOC")"
[ "$(copies)" = 0 ] || fail "saved, yet a copy is left"

run terminate || exit 1
[ "$(copies)" = 1 ] || fail "no copy after SIGTERM"
grep -q 'Rozepsany dopis' "$recovery"/*.rtf || fail "the copy after SIGTERM lacks the text"

run discard || exit 1
[ "$(copies)" = 0 ] || fail "discarded, yet a copy is left"
[ -z "$(ls -A "$recovery")" ] || fail "files left in the recovery folder"
