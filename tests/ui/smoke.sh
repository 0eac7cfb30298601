#!/usr/bin/env bash
# Runs inside xvfb-run. Usage: smoke.sh TOLVANE TOLVANE_MKDB SAMPLE_DIR SCREENSHOT
# Stages a program directory, starts the program, searches for ora-00942 with the keyboard,
# takes a screenshot and checks the program survived. With a window manager at hand (cwm and
# wmctrl) it then closes the window as its close button would and checks that the criteria
# the search left behind were saved.
set -euo pipefail
program=$1 mkdb=$2 sample=$3 screenshot=$4

stage=$(mktemp -d)
pid="" wm=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$stage"
}
trap cleanup EXIT

cp "$program" "$stage/tolvane"
cp "$(dirname "$program")/libsqlite3.so.0" "$stage/"
"$mkdb" create "$stage/tolv2_msg.db" --from "$sample" >/dev/null
export XDG_RUNTIME_DIR="$stage/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

if command -v cwm >/dev/null && command -v wmctrl >/dev/null; then
  printf 'unbind-key all\nunbind-mouse all\nborderwidth 0\n' >"$stage/cwmrc"
  cwm -c "$stage/cwmrc" & wm=$!
  sleep 0.5
fi

"$stage/tolvane" & pid=$!
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --name '^Tolvane 2$' 2>/dev/null | head -n 1) || true
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "smoke: no window 'Tolvane 2' appeared" >&2; exit 1; }

xdotool windowfocus --sync "$wid"
xdotool type --delay 10 'ora-00942'
xdotool key Return
sleep 1
/usr/bin/import -window root "$screenshot"
kill -0 "$pid" || { echo "smoke: the program died after the search" >&2; exit 1; }

[ -n "$wm" ] || exit 0
wmctrl -i -c "$wid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "smoke: the program did not end when its window closed" >&2
  exit 1
fi
wait "$pid" || { echo "smoke: the program ended with an error" >&2; exit 1; }
pid=""
saved=$(sqlite3 "$stage/tolv2_msg.db" \
  "SELECT param || '=' || value FROM sys_data WHERE param IN ('last_err_pref','last_err_code') ORDER BY param")
expected=$'last_err_code=00942\nlast_err_pref=ORA'
[ "$saved" = "$expected" ] || { echo "smoke: saved criteria were: $saved" >&2; exit 1; }
echo "smoke: searched, closed and saved the criteria"
