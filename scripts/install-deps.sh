#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, when any is missing.
# Usage: install-deps.sh [build|windows|window]...   (build is always included)
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev clang-format googletest libgtest-dev
          libbenchmark-dev libsqlite3-0 libsqlite3-dev sqlite3 qt6-base-dev dpkg-dev tcl
          nlohmann-json3-dev desktop-file-utils
          xvfb xauth xdotool x11-apps x11-utils imagemagick xclip cwm wmctrl python3
          at-spi2-core python3-pyatspi dbus-x11)
for group in "$@"; do
  case "$group" in
    build|window) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 fonts-wine nsis unzip) ;;
    *) echo "install-deps.sh: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# No recommends: they would pull Qt's SQLite plugin, which links the system engine into the
# process and would shadow the engine copy beside the program.
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
