#!/usr/bin/env bash
# Usage: package-test.sh ARCHIVE
# Unpacks the portable folder where a user would (a folder whose name has a blank and
# characters beyond the Basic Multilingual Plane), starts it through its launcher on a virtual
# X server, searches, writes a comment through the comment editor, and checks that the comment
# landed in the unpacked folder's data file, survives a newer archive unpacked over it, and
# shows in the terminal lookup.
# Also checks that the launcher names the missing Qt packages instead of failing to load.
set -euo pipefail

if [ -z "${TOLVANE_PACKAGE_INSIDE_XVFB:-}" ]; then
  export TOLVANE_PACKAGE_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$@"
fi

archive=$(readlink -f "$1")
stage=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$stage"
}
trap cleanup EXIT

script_name=package-test
# shellcheck source=../support/x11-session.sh
source "$(dirname "$0")/../support/x11-session.sh"

home="$stage/Tools 📦 𠀋 Tolvane"
mkdir -p "$home"
tar -xzf "$archive" -C "$home"
folder="$home/tolvane"
for file in tolvane tolvane-window tolvane-mkdb tolvane-oerr libsqlite3.so.0 tolv2_msg.sample.db \
            tolvane.desktop tolvane.svg tolvane.png README.txt; do
  [ -e "$folder/$file" ] || fail "the archive lacks tolvane/$file"
done
[ ! -e "$folder/tolv2_msg.db" ] || fail "the archive carries a tolv2_msg.db that would replace the user's"
for program in tolvane-window tolvane-mkdb tolvane-oerr; do
  # An empty entry would have the loader take libraries from the folder the user is in.
  readelf -d "$folder/$program" | grep -q 'Library runpath: \[\$ORIGIN\]$' ||
    fail "$program finds its libraries elsewhere than beside itself"
done

export XDG_RUNTIME_DIR="$stage/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_window_manager
[ -n "$wm" ] || fail "needs cwm and wmctrl to close the window"

"$folder/tolvane" &
pid=$!
wait_until "no window 'Tolvane 2' appeared" find_window "$pid" '^Tolvane 2$'
[ -f "$folder/tolv2_msg.db" ] || fail "the first start did not put the sample in place"
xprop -id "$wid" _NET_WM_ICON | grep -q '_NET_WM_ICON(CARDINAL) = ' ||
  fail "the window has no icon"

xdo windowfocus --sync "$wid"
xdo type --delay 10 'ora-00942'
xdo key Return
sleep 1
kill -0 "$pid" || fail "the program died after the search"

# The detail view starts 231 pixels below the client area's top; its menu's third line is
# "Add/Edit Comment".
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdo mousemove --sync $((X + 100)) $((Y + 231 + 40)) click 3
sleep 0.5
xdo key Down Down Return
wait_until "the comment editor did not open" find_window "$pid" '^My comment on: ORA-00942'
sleep 0.5  # the editor takes the focus once it is shown
xdo windowfocus --sync "$wid"
xdo type --delay 10 "packaged comment"
# Tab leaves the text for the Save button, which Space presses.
xdo key Tab space
stored() {
  [ "$(sqlite3 "$folder/tolv2_msg.db" 'SELECT commentary FROM usr_comment' 2>/dev/null)" = \
    "packaged comment" ]
}
wait_until "the comment did not reach the unpacked folder's data file" stored

find_window "$pid" '^Tolvane 2$' || fail "the main window is gone"
wmctrl -i -c "$wid"
program_ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_until "the program did not end when its window closed" program_ended
wait "$pid" || fail "the program ended with an error"
pid=""

tar -xzf "$archive" -C "$home"
stored || fail "unpacking the archive again replaced the user's data file"

# The terminal lookup beside the same data file, comment included.
lookup=$("$folder/tolvane-oerr" ora 942 --release 10.2) || fail "tolvane-oerr ora 942 failed"
grep -q '^00942, 00000, "table or view does not exist"$' <<<"$lookup" &&
  grep -q '^// \*My comment: packaged comment$' <<<"$lookup" ||
  fail "tolvane-oerr ora 942 printed: $lookup"

# Both desktop entries, the archive's and the one the launcher writes, as desktops read them.
desktop-file-validate "$folder/tolvane.desktop" ||
  fail "the archive's desktop entry does not pass desktop-file-validate"
XDG_DATA_HOME="$stage/share" "$folder/tolvane" --install-desktop-entry >/dev/null
desktop-file-validate "$stage/share/applications/tolvane.desktop" ||
  fail "the desktop entry the launcher writes does not pass desktop-file-validate"

# A window program whose Qt libraries are missing: the launcher names the packages.
broken="$stage/broken"
cp -r "$folder" "$broken"
printf 'void tolvane_qt_stand_in(void) {}\n' | gcc -x c -shared -o "$stage/libQt6Missing.so.6" -
printf 'void tolvane_qt_stand_in(void);\nint main(void) { tolvane_qt_stand_in(); return 0; }\n' |
  gcc -x c -o "$broken/tolvane-window" - -L"$stage" -l:libQt6Missing.so.6
status=0
"$broken/tolvane" 2>"$stage/broken.err" || status=$?
[ "$status" -eq 127 ] || fail "the launcher without Qt ended with $status"
grep -q 'libQt6Missing.so.6' "$stage/broken.err" &&
  grep -q 'sudo apt-get install libqt6widgets6 qt6-qpa-plugins' "$stage/broken.err" ||
  fail "the launcher without Qt said: $(cat "$stage/broken.err")"

echo "package-test: unpacked, started, searched, commented, kept the data file on a new unpack"
