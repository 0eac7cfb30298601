# shellcheck shell=bash
# Shared by the tests that drive the Windows programs under wine on a virtual X server. Source
# it first, with `script_name` set: it runs the calling script again under xvfb-run, then
# makes a private `stage` folder with a throw-away wine prefix in it, starts a window manager,
# brings in the helpers of x11-session.sh and windows-window.sh, and cleans up on exit.

if [ -z "${TOLVANE_PACKAGE_INSIDE_XVFB:-}" ]; then
  export TOLVANE_PACKAGE_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi

stage=$(mktemp -d)
pid="" wm=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  stop_wine
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$stage"
}
trap cleanup EXIT
wait_seconds=30  # a program's first start under wine takes a few seconds

session_folder=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=../support/x11-session.sh
source "$session_folder/../support/x11-session.sh"
# shellcheck source=../support/wine-session.sh
source "$session_folder/../support/wine-session.sh"
# shellcheck source=windows-window.sh
source "$session_folder/windows-window.sh"

start_window_manager
[ -n "$wm" ] || fail "needs cwm and wmctrl to close the windows"
