#!/usr/bin/env bash
# On a virtual display, as a user would: hide the formatting toolbar and the status bar through
# their "Skrýt" pop-ups, untick "Zobrazít při dalším spuštení" in the welcome dialog, quit with
# Alt+F4 and start again: the bars stay hidden, the welcome dialog stays away, and quitting
# again keeps it so. With KORA_SHOT_DIR set, screenshots of both runs are left there.
#   settings_restart.sh EDITOR
set -euo pipefail
editor="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export KORA_HOME="$work/home" KORA_CONFIG_DIR="$work/config" XDG_CONFIG_HOME="$work/xdg" \
       XDG_RUNTIME_DIR="$work/runtime" SHOTS="${KORA_SHOT_DIR:-}" PROBLEMS="$work/problems"
mkdir -p "$KORA_HOME" "$KORA_CONFIG_DIR" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

cat >"$work/inner.sh" <<'INNER'
#!/usr/bin/env bash
# inner.sh EDITOR RUN: RUN 1 changes the settings, RUN 2 only looks and quits.
editor="$1"
run="$2"
window() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
wait_for() {
  for _ in $(seq 100); do
    id="$(window "$1")"
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}
# Clicks at a point of a window, relative to its top left corner.
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; sleep 0.4; }
shot() { if [ -n "$SHOTS" ]; then import -window root "$SHOTS/$1.png"; fi; }

"$editor" &
pid=$!
main="$(wait_for '^KORA Editor - Bez Názvu$')" || { echo "no main window" >&2; kill "$pid"; exit 1; }
if [ "$run" = 1 ]; then
  welcome="$(wait_for '^Vítejte$')" || { echo "no welcome dialog" >&2; kill "$pid"; exit 1; }
  sleep 0.5
  click "$welcome" 18 249     # "Zobrazít při dalším spuštení"
  shot welcome-unticked
  click "$welcome" 387 249    # "Storno"
  click "$main" 660 64 3      # the formatting toolbar's free end: its pop-up
  shot toolbar-popup
  click "$main" 680 76        # "Skrýt"
  click "$main" 600 493 3
  click "$main" 620 505       # "Skrýt"
else
  sleep 1.5
  if [ -n "$(window '^Vítejte$')" ]; then echo "welcome dialog shown again" >>"$PROBLEMS"; fi
fi
shot "run$run"
xdotool windowfocus --sync "$main"
xdotool key alt+F4
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "still running after Alt+F4" >&2; kill "$pid"; exit 1; fi
INNER
chmod +x "$work/inner.sh"

# Another virtual display starting at the same moment can take the same number: try again then.
run() {
  for _ in 1 2 3; do
    if xvfb-run -a -s '-screen 0 1024x768x24' "$work/inner.sh" "$editor" "$1" 2>"$work/run$1.err"; then
      cat "$work/run$1.err" >&2
      return 0
    fi
    grep -q 'xvfb-run: error' "$work/run$1.err" || break
    sleep 1
  done
  cat "$work/run$1.err" >&2
  return 1
}

# A value of the settings file: stored KEY NAME, KEY below Software\Lumasoft\KORA Editor.
stored() {
  section="[HKEY_CURRENT_USER\\Software\\Lumasoft\\KORA Editor\\$1]" name="\"$2\"" \
    awk -F= 'BEGIN { s = ENVIRON["section"]; n = ENVIRON["name"] }
             { sub(/\r$/, "") } /^\[/ { inside = ($0 == s); next } inside && $1 == n { print $2 }' \
    "$KORA_CONFIG_DIR/HKEY_CURRENT_USER.reg"
}

status=0
check() {
  local got
  got="$(stored "$1" "$2")"
  if [ "$got" != "$3" ]; then
    echo "$1 $2: $got, expected $3 ($4)" >&2
    status=1
  fi
}

run 1 || exit 1
check 'Form1\tbFormat' Visible '"False"' "after hiding"
check 'Form1\StatusBar1' Visible '"False"' "after hiding"
check 'Form1\mStatusBar' Checked '"False"' "after hiding"
check 'fUvitani\cbZavrit' Checked '"False"' "after unticking"
[ "$status" = 0 ] || { cat "$KORA_CONFIG_DIR/HKEY_CURRENT_USER.reg" >&2; exit 1; }

run 2 || exit 1
if [ -s "$PROBLEMS" ]; then cat "$PROBLEMS" >&2; status=1; fi
check 'Form1\tbFormat' Visible '"False"' "restored and written back"
check 'Form1\StatusBar1' Visible '"False"' "restored and written back"
check 'Form1\mToolBarFormat' Checked '"False"' "restored and written back"
check 'Form1\tbStandardni' Visible '"True"' "never hidden"
check 'fUvitani\cbZavrit' Checked '"False"' "restored and written back"
[ "$status" = 0 ] || cat "$KORA_CONFIG_DIR/HKEY_CURRENT_USER.reg" >&2
exit "$status"
