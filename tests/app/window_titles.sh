#!/usr/bin/env bash
# Starts the editor on a virtual display and reads the captions as the window system shows them:
# a title set in the program can still be changed on its way to the screen.
#   window_titles.sh EDITOR
set -euo pipefail
editor="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KORA_HOME="$work/home" KORA_CONFIG_DIR="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$KORA_HOME" "$KORA_CONFIG_DIR" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

cat >"$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
"$1" &
pid=$!
titles() {
  for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    xprop -id "$id" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
  done
}
for _ in $(seq 100); do
  shown="$(titles)"
  if grep -qx 'Vítejte' <<<"$shown"; then break; fi
  sleep 0.2
done
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
printf '%s\n' "$shown"
INNER
chmod +x "$work/inner.sh"
# Another virtual display starting at the same moment can take the same number: try again then.
shown=""
for _ in 1 2 3; do
  shown="$(xvfb-run -a -s '-screen 0 1024x768x24' "$work/inner.sh" "$editor" 2>"$work/xvfb.err" || true)"
  [ -n "$shown" ] && break
  sleep 1
done
[ -n "$shown" ] || cat "$work/xvfb.err" >&2
echo "$shown"
status=0
for expected in 'KORA Editor - Bez Názvu' 'Vítejte'; do
  if ! grep -qxF "$expected" <<<"$shown"; then
    echo "chybí titulek: $expected" >&2
    status=1
  fi
done
if grep -q '—' <<<"$shown"; then
  echo "titulek s připojeným názvem aplikace" >&2
  status=1
fi
exit "$status"
