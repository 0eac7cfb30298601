# shellcheck shell=bash
# Driving the Windows window under wine on a virtual X server, for the package and installer
# tests. Source it after x11-session.sh and wine-session.sh, with `stage` and
# `clipboard_dump` (the path of ClipboardDump.exe) set.
#   start_program EXE           start EXE under wine in the background; sets `pid`
#   find_wine_window REGEX      sets `wid` to a visible window of that title (fails if none)
#   find_box                    sets `wid` to a visible "Tolvane 2" window that is not the main one
#   search_code WID CODE        types CODE in place of the focused edit's text, then Enter
#   data_comment FOLDER         the comment stored in FOLDER/tolv2_msg.db
#   copy_details WID            "Copy to clipboard" from the detail view's context menu, then
#                               read_clipboard
#   read_clipboard              the clipboard as a Windows program reads it: $stage/clip/text.bin
#                               (CF_TEXT) and unicode.bin, with unicode.txt its UTF-8 text
#   expect_clipboard LINE1 TEXT ROWS   the copy begins with LINE1 then a line holding TEXT,
#                               has ROWS rows, single LFs, and CF_TEXT in code page 1252
#   open_comment_editor WID     "Add/Edit Comment" from the context menu; sets `editor`
#   paste_text TEXT             TEXT onto the X clipboard, then pasted in place of the
#                               comment editor's text
#   press_save                  clicks the comment editor's Save button
#   close_program WID           closes the window as its close button would; waits for the end
#   kill_program                ends the program at once

start_program() {
  wine "$1" </dev/null >>"$stage/program.log" 2>&1 &
  pid=$!
}

find_wine_window() {
  wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
  [ -n "$wid" ]
}

# The main window is 670 pixels wide; a message box of the same title is narrower.
find_box() {
  local candidate width
  for candidate in $(xdotool search --onlyvisible --name '^Tolvane 2$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$candidate")"
    width=$WIDTH
    if [ "$width" -lt 600 ]; then
      wid=$candidate
      return 0
    fi
  done
  return 1
}

# The detail view starts 231 pixels below the client area's top. The pointer leaves the spot
# first: xdotool's --sync waits for ever when the pointer is already where it is sent.
open_context_menu() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdo mousemove $((X + 5)) $((Y + 5))
  sleep 0.2
  xdo mousemove --sync $((X + 100)) $((Y + 231 + 40))
  sleep 0.2
  xdo click 3
  sleep 0.7
}

search_code() {
  xdo windowfocus --sync "$1"
  xdo key ctrl+a
  xdo type --delay 20 "$2"
  xdo key Return
  sleep 1
}

data_comment() {
  sqlite3 "$1/tolv2_msg.db" 'SELECT commentary FROM usr_comment' 2>/dev/null
}

read_clipboard() {
  rm -rf "$stage/clip"
  mkdir -p "$stage/clip"
  (cd "$stage/clip" && timeout 30 wine "$clipboard_dump" . </dev/null >/dev/null 2>&1) ||
    fail "ClipboardDump.exe could not read the clipboard"
  [ -f "$stage/clip/unicode.bin" ] || fail "the clipboard holds no CF_UNICODETEXT"
  iconv -f UTF-16LE -t UTF-8 "$stage/clip/unicode.bin" >"$stage/clip/unicode.txt"
}

copy_details() {
  open_context_menu "$1"
  xdo key Down Return
  sleep 0.5
  read_clipboard
}

expect_clipboard() {
  python3 - "$stage/clip" "$1" "$2" "$3" <<'PY' || fail "the copied details are wrong (above)"
import sys
folder, first, text, rows = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
unicode = open(folder + "/unicode.bin", "rb").read().decode("utf-16-le")
ansi = open(folder + "/text.bin", "rb").read()
lines = unicode.split("\n")
problems = []
if "\r" in unicode or b"\r" in ansi:
    problems.append("a CR in the copy")
if lines[0] != first or text not in lines[1]:
    problems.append("begins with %r" % lines[:2])
if not unicode.endswith("\n"):
    problems.append("no LF at the end")
# Every character code page 1252 lacks becomes "?"; wine turns each half of a character
# beyond 16 bits into one, Windows the whole character.
expected = unicode.encode("cp1252", errors="replace")
pairs = "".join(c if ord(c) < 0x10000 else "??" for c in unicode).encode("cp1252", errors="replace")
if ansi not in (expected, pairs):
    problems.append("CF_TEXT is %r, not %r" % (ansi[-60:], expected[-60:]))
if rows == 6 and unicode.count("\n") != 6:
    problems.append("%d LFs where 6 rows were expected" % unicode.count("\n"))
if rows == 8 and unicode.count("\n") < 8:
    problems.append("%d LFs where 8 rows were expected" % unicode.count("\n"))
if problems:
    print("\n".join(problems), file=sys.stderr)
    print(repr(unicode), file=sys.stderr)
    sys.exit(1)
PY
}

open_comment_editor() {
  open_context_menu "$1"
  xdo key Down Down Return
  wait_until "the comment editor did not open" find_wine_window '^My comment on: '
  editor=$wid
  sleep 0.5
}

paste_text() {
  printf '%s' "$1" | xclip -selection clipboard
  sleep 0.3
  xdo windowfocus --sync "$editor"
  xdo key ctrl+a ctrl+v
  sleep 0.5
}

# Save is at 10, 5 in the editor's client area, 75 by 25.
press_save() {
  eval "$(xdotool getwindowgeometry --shell "$editor")"
  xdo mousemove $((X + 5)) $((Y + 50))
  sleep 0.2
  xdo mousemove --sync $((X + 47)) $((Y + 17))
  sleep 0.2
  xdo click 1
}

close_program() {
  wmctrl -i -c "$1"
  program_ended() { ! kill -0 "$pid" 2>/dev/null; }
  wait_until "the program did not end when its window closed" program_ended
  wait "$pid" || fail "the program ended with an error"
  pid=""
}

kill_program() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
