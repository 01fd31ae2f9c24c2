#!/usr/bin/env bash
# Builds and starts KORA Editor.
#   scripts/run.sh [FILE]          start the editor on this display
#   scripts/run.sh --smoke [FILE]  start it under a virtual display, save a screenshot, quit
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KORA_BUILD_DIR:-$root/build}"

smoke=0
if [ "${1:-}" = "--smoke" ]; then
  smoke=1
  shift
fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh" --target kora-editor
editor="$build/src/app/kora-editor"

if [ "$smoke" -eq 0 ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Není k dispozici žádný displej (DISPLAY ani WAYLAND_DISPLAY nejsou nastaveny)." >&2
    echo "Na stroji bez obrazovky použijte: scripts/run.sh --smoke [SOUBOR]" >&2
    exit 1
  fi
  exec "$editor" "$@"
fi

shot="${KORA_SCREENSHOT:-$build/kora-editor-smoke.png}"
dialog_shot="${shot%.png}-otevrit.png"
inner="$(mktemp)"
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<INNER
#!/usr/bin/env bash
# Captions as the window system shows them, one per line.
titles() {
  for id in \$(xwininfo -root -children | awk '/^ +0x/ {print \$1}'); do
    xprop -id "\$id" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"\$/  \1/p'
  done
}
"$editor" "\$@" &
pid=\$!
sleep "${KORA_SMOKE_WAIT:-3}"
if ! kill -0 "\$pid" 2>/dev/null; then
  wait "\$pid"; echo "Editor skončil dřív, než se stihl zobrazit." >&2; exit 1
fi
import -window root "$shot"
echo "Titulky oken:"; titles
# The welcome dialog goes with Esc; then Ctrl+O shows the open dialog.
for name in "Vítejte" "KORA Editor - "; do
  id="\$(xdotool search --name "\$name" | head -n1)"
  [ -n "\$id" ] && xdotool windowfocus --sync "\$id" key --clearmodifiers \$([ "\$name" = "Vítejte" ] && echo Escape || echo ctrl+o)
  sleep 1
done
import -window root "$dialog_shot"
echo "Titulky oken s dialogem Otevřít:"; titles
kill "\$pid"
wait "\$pid" 2>/dev/null || true
INNER
chmod +x "$inner"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s '-screen 0 1024x768x24' "$inner" "$@"
echo "Snímky obrazovky: $shot $dialog_shot"
