#!/usr/bin/env bash
# Usage: windows-setup-test.sh SETUP_EXE CLIPBOARD_DUMP_EXE
# The setup under wine on a fresh prefix and a virtual X server: a silent per-user install,
# its Start-menu shortcut and uninstall entry; the installed window finds a message and stores
# a comment through the comment editor; the same setup run again (an upgrade) keeps it; a
# silent uninstall removes the programs and keeps tolv2_msg.db; a reinstall shows the comment
# again; the uninstaller's box deletes the data file only when ticked; and an install into a
# folder named beyond the ANSI code page, over a data file the user put there, works the same.
set -euo pipefail

script_name=windows-setup-test
# shellcheck source=windows-session.sh
source "$(dirname "$0")/windows-session.sh"
setup=$(readlink -f "$1")
clipboard_dump=$(readlink -f "$2")

wine_home
folder="$home/AppData/Local/Programs/Tolvane"
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tolvane 2.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane'
comment=$'Prüfung Ж 😀\nzweite Zeile'

install() {  # [FOLDER as Windows path]
  local target=()
  [ $# -eq 0 ] || target=("/D=$1")
  timeout 120 wine "$setup" /S "${target[@]}" </dev/null >/dev/null 2>&1 || fail "the setup failed"
}
# The uninstaller copies itself away and returns at once: wait until it has done its work.
uninstall() {  # FOLDER [ARGUMENTS]
  local where=$1
  shift
  wine "$where/uninstall.exe" "$@" </dev/null >/dev/null 2>&1
  gone() { [ ! -e "$where/uninstall.exe" ] && [ ! -e "$where/tolvane.exe" ]; }
  wait_until "the uninstaller left the programs in $where" gone
}
comment_in_window() {  # FOLDER
  start_program "$1/tolvane.exe"
  wait_until "the installed window did not appear" find_wine_window '^Tolvane 2$'
  local main=$wid
  search_code "$main" ora-00942
  open_comment_editor "$main"
  paste_text "$comment"
  press_save
  stored() { [ "$(data_comment "$1")" = "$comment" ]; }
  wait_until "the comment did not reach $1/tolv2_msg.db" stored "$1"
  close_program "$main"
}
window_shows_comment() {  # FOLDER
  start_program "$1/tolvane.exe"
  wait_until "the reinstalled window did not appear" find_wine_window '^Tolvane 2$'
  local main=$wid
  search_code "$main" ora-00942
  copy_details "$main"
  grep -q 'zweite Zeile' "$stage/clip/unicode.txt" ||
    fail "the reinstalled window shows: $(cat "$stage/clip/unicode.txt")"
  close_program "$main"
}

# A first, silent install.
install
for file in tolvane.exe tolvane-oerr.exe tolvane-mkdb.exe sqlite3.dll Qt6Widgets.dll \
            platforms/qwindows.dll uninstall.exe README.txt tolv2_msg.db; do
  [ -e "$folder/$file" ] || fail "the install lacks $file"
done
strings -el "$shortcut" 2>/dev/null | grep -q 'Programs\\Tolvane\\tolvane.exe' ||
  fail "the Start-menu shortcut does not point at the installed tolvane.exe"
entry=$(wine reg query "$key" </dev/null 2>/dev/null | tr -d '\r')
for expected in 'DisplayName.*Tolvane 2$' 'DisplayVersion.*2\.0$' 'Publisher' \
                'DisplayIcon.*Programs\\Tolvane\\tolvane.exe,0$' \
                'UninstallString.*Programs\\Tolvane\\uninstall.exe"$' 'EstimatedSize.*0x'; do
  grep -q "$expected" <<<"$entry" || fail "the uninstall entry lacks $expected: $entry"
done

comment_in_window "$folder"

# An upgrade keeps the comment; a silent uninstall keeps the data file and nothing else.
install
[ "$(data_comment "$folder")" = "$comment" ] || fail "the upgrade lost the comment"
uninstall "$folder" /S
[ "$(data_comment "$folder")" = "$comment" ] || fail "the silent uninstall lost the comment"
left=$(cd "$folder" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./tolv2_msg.db " ] || fail "the uninstall left: $left"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu shortcut"
! wine reg query "$key" </dev/null >/dev/null 2>&1 || fail "the uninstall left its entry"

install
window_shows_comment "$folder"

# The uninstaller's own page: its box, ticked, deletes the data file.
cp "$folder/tolv2_msg.db" "$stage/kept.db"
wine "$folder/uninstall.exe" </dev/null >/dev/null 2>&1 &
wait_until "the uninstaller did not appear" find_wine_window 'Uninstall'
xdo windowfocus --sync "$wid"
xdo key Return          # confirm: Next
sleep 1
xdo key alt+a           # "Also delete tolv2_msg.db ..."
xdo key Return          # Uninstall
no_data_file() { [ ! -e "$folder/tolv2_msg.db" ] && [ ! -e "$folder/tolvane.exe" ]; }
wait_until "the ticked box did not delete the data file" no_data_file
sleep 1
find_wine_window 'Uninstall' && { xdo windowfocus --sync "$wid"; xdo key Return; }

# A folder named beyond the ANSI code page, where the user has put a data file of their own
# before the first install. (wine quotes an argument with a blank in it, and the setup takes
# /D= only unquoted, as Windows' own command line would pass it.)
odd='C:\Werkzeuge-Ж-😀\Tolvane'
odd_unix="$WINEPREFIX/drive_c/Werkzeuge-Ж-😀/Tolvane"
mkdir -p "$odd_unix"
cp "$stage/kept.db" "$odd_unix/tolv2_msg.db"
install "$odd"
[ "$(data_comment "$odd_unix")" = "$comment" ] || fail "the setup replaced the user's own data file in $odd"
window_shows_comment "$odd_unix"
comment=$'Ordner außerhalb der Codepage ✓\nJa'
comment_in_window "$odd_unix"
uninstall "$odd_unix" /S
[ "$(data_comment "$odd_unix")" = "$comment" ] || fail "uninstalling from $odd lost the comment"

echo "windows-setup-test: installed, commented, upgraded, uninstalled, reinstalled, all kept"
