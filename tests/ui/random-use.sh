#!/usr/bin/env bash
# Usage: random-use.sh TOLVANE TOLVANE_MKDB SAMPLE_DIR [SECONDS]
# Random use of the real window on a virtual X server, for SECONDS (default 120): clicks and
# right-clicks anywhere, keys, typed and pasted text, answers to every box and dialog, closing
# the window and starting the program again on the same file (random_use.py does the using).
# The seed comes from TOLVANE_RANDOM_SEED, or is drawn and printed; the same seed replays the
# same choices. Fails on an abnormal end of the program or a sanitizer report, printing the
# last actions. Needs Xvfb, cwm, wmctrl, xdotool, xclip and python3; every wait is bounded and
# the whole run is under a time limit.
set -euo pipefail

seconds=${4:-120}
if [ -z "${TOLVANE_RANDOM_USE_INSIDE_XVFB:-}" ]; then
  for tool in xvfb-run Xvfb cwm wmctrl xdotool xclip python3; do
    command -v "$tool" >/dev/null || { echo "random-use: $tool is not installed" >&2; exit 1; }
  done
  export TOLVANE_RANDOM_USE_INSIDE_XVFB=1
  export TOLVANE_RANDOM_SEED="${TOLVANE_RANDOM_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}"
  echo "random-use: seed $TOLVANE_RANDOM_SEED (replay: TOLVANE_RANDOM_SEED=$TOLVANE_RANDOM_SEED)"
  # The limit covers the starts and ends of the program and of the X server as well.
  exec timeout -k 10 $((seconds + 120)) \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi

program=$1 mkdb=$2 sample=$3
here=$(cd "$(dirname "$0")" && pwd)
# A folder name beyond the 16-bit range, as a user's may be.
root=$(mktemp -d)
stage="$root/Tools 📦 𠀋 Tolvane"
# The sanitizers split their options at blanks: the reports go to a folder without any.
reports="$root/sanitizer"
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT

mkdir -p "$stage" "$reports"
cp "$program" "$stage/tolvane"
cp "$(dirname "$program")/libsqlite3.so.0" "$stage/"
"$mkdb" create "$stage/tolv2_msg.db" --from "$sample" >/dev/null
export XDG_RUNTIME_DIR="$stage/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A window manager that grabs no keys and keeps the program's size: closing the window then
# runs its close handler, as the title bar's close button does.
printf 'unbind-key all\nunbind-mouse all\nborderwidth 0\n' >"$stage/cwmrc"
cwm -c "$stage/cwmrc" &
wm=$!
sleep 0.5

# Reports go to files, so that none is lost among the program's output; the driver looks.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$here/../lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"
# The sanitizers' runtime opens libraries past the program's rpath: name the engine's folder.
export LD_LIBRARY_PATH="$stage"
python3 "$here/random_use.py" "$stage" "$reports" "$seconds" "$TOLVANE_RANDOM_SEED"
