#!/usr/bin/env bash
# Usage: smoke.sh TOLVANE TOLVANE_MKDB SAMPLE_DIR SCREENSHOT
# On a virtual X server (skipped when Xvfb is missing), searches a staged program for ora-00942
# by keyboard, copies the details through the context menu and reads the clipboard back, taking
# SCREENSHOT after the search and SCREENSHOT with "-menu" while the menu is open. With cwm and
# wmctrl it then closes the window as its close button would and checks the criteria were saved.
set -euo pipefail

if [ -z "${TOLVANE_SMOKE_INSIDE_XVFB:-}" ]; then
  if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null; then
    echo "smoke: skipped, Xvfb is not installed"
    exit 0
  fi
  export TOLVANE_SMOKE_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi

program=$1 mkdb=$2 sample=$3 screenshot=$4
menu_screenshot="${screenshot%.png}-menu.png"

stage=$(mktemp -d)
pid="" wm=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$stage"
}
trap cleanup EXIT

script_name=smoke
# shellcheck source=../support/x11-session.sh
source "$(dirname "$0")/../support/x11-session.sh"

cp "$program" "$stage/tolvane"
cp "$(dirname "$program")/libsqlite3.so.0" "$stage/"
"$mkdb" create "$stage/tolv2_msg.db" --from "$sample" >/dev/null
export XDG_RUNTIME_DIR="$stage/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_window_manager

"$stage/tolvane" &
pid=$!
wait_until "no window 'Tolvane 2' appeared" find_window "$pid" '^Tolvane 2$'

xdo windowfocus --sync "$wid"
xdo type --delay 10 'ora-00942'
xdo key Return
sleep 1
/usr/bin/import -window root "$screenshot"
kill -0 "$pid" || fail "the program died after the search"

# A right click inside the detail view, which starts 231 pixels below the client area's top.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdo mousemove --sync $((X + 100)) $((Y + 231 + 40)) click 3
menu_shown() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge 2 ]; }
wait_until "no context menu appeared" menu_shown
sleep 0.3
/usr/bin/import -window root "$menu_screenshot"
# The first command is "Copy to clipboard".
xdo key Down Return

clip="$stage/clipboard.txt"
clipboard_has_details() {
  timeout 2 xclip -selection clipboard -o >"$clip" 2>/dev/null && grep -q 'ORA-00942' "$clip"
}
wait_until "the clipboard did not receive the details" clipboard_has_details
[ "$(head -n 1 "$clip")" = "ORA-00942" ] || fail "the copy begins with: $(head -n 1 "$clip")"
[ -z "$(tail -c 1 "$clip")" ] || fail "the copied text does not end with a line feed"

[ -n "$wm" ] || {
  echo "smoke: searched and copied the details (no window manager: close not tried)"
  exit 0
}
wmctrl -i -c "$wid"
program_ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_until "the program did not end when its window closed" program_ended
wait "$pid" || fail "the program ended with an error"
pid=""
# The command-line shell needs the system engine, whatever the program was given.
saved=$(env -u LD_LIBRARY_PATH sqlite3 "$stage/tolv2_msg.db" \
  "SELECT param || '=' || value FROM sys_data WHERE param IN ('last_err_pref','last_err_code') ORDER BY param")
expected=$'last_err_code=00942\nlast_err_pref=ORA'
[ "$saved" = "$expected" ] || fail "saved criteria were: $saved"
echo "smoke: searched, copied the details, closed and saved the criteria"
