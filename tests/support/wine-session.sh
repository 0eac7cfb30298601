# shellcheck shell=bash
# Shared by the scripts that run Windows programs under wine. Source it after setting `stage`
# (a private folder); it makes a throw-away wine prefix there, with no .NET or Gecko installers
# and no debug chatter, and starts a lasting wine server with its helper processes, their
# output sent away: a helper that inherited a caller's output pipe (ctest's, a command
# substitution's) would keep it open for minutes.
#   stop_wine      end every wine process of the prefix (call it on exit)
#   wine_home      sets `home` to the prefix's folder of the user's profile

export WINEPREFIX="$stage/wine"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot --init </dev/null >/dev/null 2>&1
# Every Windows has Tahoma, the window's font; a prefix has none, and Qt's fallback there (a
# math font with outsized line metrics) leaves the text of every line edit unpainted. Wine's
# own Tahoma (Debian's fonts-wine) stands in, as it does in a wine that installs it.
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

home=""
wine_home() {
  local profile
  home=""
  for profile in "$WINEPREFIX"/drive_c/users/*/AppData; do
    [[ $profile == */Public/* ]] && continue
    home=${profile%/AppData}
    return
  done
}
