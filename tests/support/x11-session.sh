# Shared by the scripts that drive the real window on a virtual X server. Source it after
# setting `script_name` (the prefix of failure messages) and `stage` (a private folder).
#   fail MESSAGE                 print "script_name: MESSAGE" and exit 1 (TOLVANE_FAILURE_SHOT=
#                                FILE.png also keeps a screenshot)
#   wait_until WHAT COMMAND...   poll COMMAND for $wait_seconds (five unless set), then fail
#   xdo ARGS...                  xdotool, bounded (some calls wait for the server forever)
#   start_window_manager         cwm without key or mouse bindings, when cwm and wmctrl exist;
#                                sets `wm` to its process id, or leaves it empty
#   find_window PID TITLE-REGEX  sets `wid` to the first visible window of that title

fail() {
  echo "$script_name: $*" >&2
  # TOLVANE_FAILURE_SHOT=FILE.png keeps the screen as it was when the test failed.
  if [ -n "${TOLVANE_FAILURE_SHOT:-}" ]; then
    import -window root "$TOLVANE_FAILURE_SHOT" 2>/dev/null || true
  fi
  exit 1
}

wait_until() {
  local what=$1
  shift
  for _ in $(seq $((${wait_seconds:-5} * 10))); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$what"
}

xdo() {
  timeout 10 xdotool "$@"
}

wm=""
start_window_manager() {
  if command -v cwm >/dev/null && command -v wmctrl >/dev/null; then
    printf 'unbind-key all\nunbind-mouse all\nborderwidth 0\n' >"$stage/cwmrc"
    cwm -c "$stage/cwmrc" &
    wm=$!
    sleep 0.5
  fi
}

wid=""
find_window() {
  wid=$(xdotool search --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1) || true
  [ -n "$wid" ]
}
