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
inner="$(mktemp)"
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<INNER
#!/usr/bin/env bash
"$editor" "\$@" &
pid=\$!
sleep "${KORA_SMOKE_WAIT:-3}"
if ! kill -0 "\$pid" 2>/dev/null; then
  wait "\$pid"; echo "Editor skončil dřív, než se stihl zobrazit." >&2; exit 1
fi
import -window root "$shot"
kill "\$pid"
wait "\$pid" 2>/dev/null || true
INNER
chmod +x "$inner"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build/runtime}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s '-screen 0 1024x768x24' "$inner" "$@"
echo "Snímek obrazovky: $shot"
