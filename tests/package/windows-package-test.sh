#!/usr/bin/env bash
# Usage: windows-package-test.sh ZIP CLIPBOARD_DUMP_EXE
# The Windows folder as a user gets it, under wine on a virtual X server: unzipped into a
# folder whose name has an emoji and a letter beyond ASCII, tolvane.exe started, a message
# found by its code and by words of its text, the details copied through the context menu and
# read back as another Windows program reads them (CF_UNICODETEXT exact, CF_TEXT in code page
# 1252 with "?" for what it lacks, single LFs), a comment with letters beyond the code page
# stored through the comment editor, the window closed, and the comment and criteria found
# in the data file and shown by tolvane-oerr.exe. Then a missing sqlite3.dll and a missing
# data file give their boxes, and a newer zip unzipped over the folder keeps the comment.
set -euo pipefail

script_name=windows-package-test
# shellcheck source=windows-session.sh
source "$(dirname "$0")/windows-session.sh"
zip=$(readlink -f "$1")
clipboard_dump=$(readlink -f "$2")

place="$stage/Tools 😀 Ü"
mkdir -p "$place"
unzip -q "$zip" -d "$place"
folder="$place/tolvane"
for file in tolvane.exe tolvane-oerr.exe tolvane-mkdb.exe sqlite3.dll Qt6Core.dll Qt6Gui.dll \
            Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
            libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll tolv2_msg.sample.db README.txt; do
  [ -e "$folder/$file" ] || fail "the zip lacks tolvane/$file"
done
[ ! -e "$folder/tolv2_msg.db" ] || fail "the zip carries a tolv2_msg.db that would replace the user's"

start_program "$folder/tolvane.exe"
wait_until "no window 'Tolvane 2' appeared" find_wine_window '^Tolvane 2$'
main=$wid
[ -f "$folder/tolv2_msg.db" ] || fail "the first start did not put the sample in place"

# By code: the focus starts in the code edit.
search_code "$main" ora-00942
copy_details "$main"
expect_clipboard "ORA-00942" "table or view does not exist" 6

# By words of the message: the code edit emptied, the message edit is next in the tab order.
xdo windowfocus --sync "$main"
xdo key ctrl+a BackSpace Tab
xdo type --delay 20 'does not%exist'
xdo key Return
sleep 1
copy_details "$main"
grep -q 'does not' "$stage/clip/unicode.txt" || fail "a search by message words copied: $(cat "$stage/clip/unicode.txt")"

# Back to ORA-00942 (the message edit emptied, the code edit before it), then a comment with
# letters beyond code page 1252, pasted as a user would.
xdo windowfocus --sync "$main"
xdo key ctrl+a BackSpace shift+Tab
search_code "$main" ora-00942
comment=$'Prüfung Ж 😀\nzweite Zeile'
open_comment_editor "$main"
paste_text "$comment"
press_save
stored() { [ "$(data_comment "$folder")" = "$comment" ]; }
wait_until "the comment did not reach the data file" stored
copy_details "$main"
expect_clipboard "ORA-00942" "table or view does not exist" 8
grep -q "$comment" "$stage/clip/unicode.txt" || fail "the copy lacks the comment: $(cat "$stage/clip/unicode.txt")"

close_program "$main"
saved=$(sqlite3 "$folder/tolv2_msg.db" \
  "SELECT param || '=' || value FROM sys_data WHERE param IN ('last_err_pref','last_err_code') ORDER BY param")
[ "$saved" = $'last_err_code=00942\nlast_err_pref=ORA' ] || fail "saved criteria were: $saved"

lookup=$(cd "$folder" && wine tolvane-oerr.exe ora 942 </dev/null 2>&1 | tr -d '\r') ||
  fail "tolvane-oerr.exe ora 942 failed: $lookup"
grep -q 'Prüfung Ж 😀' <<<"$lookup" || fail "tolvane-oerr.exe ora 942 printed: $lookup"

# A newer zip over the folder keeps the user's data file.
unzip -qo "$zip" -d "$place"
stored || fail "unzipping again replaced the user's data file"

# The boxes of a folder without its engine, and of one without its data file.
expect_box_from() {
  local broken="$stage/$1" text=$2
  shift 2
  cp -r "$folder" "$broken"
  rm -f "${@/#/$broken/}"
  start_program "$broken/tolvane.exe"
  wait_until "no box for $text" find_box
  # A Windows message box copies its text with Ctrl+C.
  xdo windowfocus --sync "$wid"
  xdo key ctrl+c
  sleep 0.5
  read_clipboard
  grep -q "$text" "$stage/clip/unicode.txt" || fail "the box said: $(cat "$stage/clip/unicode.txt")"
  kill_program
}
expect_box_from no-engine "ERROR: sqlite3.dll not found" sqlite3.dll
expect_box_from no-data "ERROR: tolv2_msg.db not found" tolv2_msg.db tolv2_msg.sample.db

echo "windows-package-test: unzipped, found by code and words, copied, commented, closed, looked up"
