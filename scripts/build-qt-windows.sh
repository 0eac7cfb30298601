#!/usr/bin/env bash
# Usage: build-qt-windows.sh [--print-prefix]
# Cross-builds Qt (Core, Gui, Widgets, Test and the platform and style plugins a Windows
# program loads) for 64-bit Windows from Debian's own qtbase source, in the version of the
# host's Qt, whose moc, rcc and uic it uses. The options are cmake/QtForWindowsOptions.cmake.
# The result goes into a cache folder outside the checkout, keyed by the Qt version, that file
# and the compiler, and is built only when the cache lacks it: about half an hour on two cores the first
# time, nothing after. Prints the installed prefix on its last line; --print-prefix prints it
# without building.
# Needs: qt6-base-dev (the host tools), g++-mingw-w64-x86-64-posix, apt-get (network).
set -euo pipefail

checkout="$(cd "$(dirname "$0")/.." && pwd)"
options="$checkout/cmake/QtForWindowsOptions.cmake"
toolchain="$checkout/cmake/mingw-w64-x86_64.cmake"

version="$(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev)"  # e.g. 6.4.2+dfsg
# The compiler's version is part of the key as well: its runtime DLLs ship beside Qt's.
key="$( (cat "$options"; x86_64-w64-mingw32-g++-posix --version) | sha256sum | cut -c1-12)"
cache="${TOLVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolvane}"
prefix="$cache/qt-windows-$version-$key"

if [ "${1:-}" = "--print-prefix" ]; then
  echo "$prefix"
  exit 0
fi
# One build at a time: a second caller (the test command starts the build early, in the
# background) waits for the first and then finds the result.
mkdir -p "$cache"
exec 9>"$prefix.lock"
flock 9
# The marker is written last, once Qt is installed.
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

# The work folder stays until Qt is installed: a build stopped or failed half-way goes on
# where it stopped when the script runs again.
work="$cache/qt-windows-work-$key"
mkdir -p "$work"
started=$SECONDS

if [ ! -f "$work/tree/CMakeLists.txt" ]; then
  echo "build-qt-windows: fetching Debian's qt6-base source" >&2
  rm -rf "$work/tree"
  bash "$checkout/scripts/fetch-debian-source.sh" qt6-base "$work" 2>&1 | grep -v '^dpkg-source: warning' >&2 || true
  [ -f "$work/tree/CMakeLists.txt" ] || { echo "build-qt-windows: no source" >&2; exit 1; }
fi
source_version="$(cd "$work/tree" && dpkg-parsechangelog -S Version)"
host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
if [ "$source_version" != "$host_version" ]; then
  echo "build-qt-windows: the source is $source_version, the host's Qt $host_version;" \
       "moc and uic must match the libraries: upgrade qt6-base-dev first" >&2
  exit 1
fi

if [ ! -f "$work/build/build.ninja" ]; then
  echo "build-qt-windows: configuring" >&2
  cmake -S "$work/tree" -B "$work/build" -G Ninja -C "$options" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log" >&2; rm -rf "$work/build"; exit 1; }
fi

echo "build-qt-windows: building (about half an hour on two cores)" >&2
if ! cmake --build "$work/build" >"$work/build.log" 2>&1; then
  grep -E -A12 '^FAILED:' "$work/build.log" | head -n 60 >&2
  echo "build-qt-windows: the build failed; the whole log is $work/build.log" >&2
  exit 1
fi
# Stripped: the debug sections would make the DLLs several times larger.
cmake --install "$work/build" --strip >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "build-qt-windows: Qt $version for Windows built in $(( SECONDS - started )) s" >&2
echo "$prefix"
