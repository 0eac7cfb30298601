#!/usr/bin/env bash
# Builds a Windows sqlite3.dll from Debian's own sqlite3 source package (the amalgamation is
# not packaged, so it is generated from the sources), for the cross-built tests under wine.
# Output: build/engine/sqlite3.dll; nothing is done when it already exists.
# Needs: apt-get (network), dpkg-dev, tcl, gcc-mingw-w64-x86-64.
set -euo pipefail
cd "$(dirname "$0")/.."

output="$PWD/build/engine/sqlite3.dll"
if [ -f "$output" ]; then
  echo "sqlite3.dll already built: $output"
  exit 0
fi
mkdir -p "$(dirname "$output")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A private apt configuration that reads the machine's own package sources as source entries,
# so the system's lists and caches stay untouched and no root rights are needed.
mkdir -p "$work/sources" "$work/lists/partial" "$work/cache/archives/partial" "$work/src"
for sources in /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/sources/$(basename "$sources")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/sources.list"
else
  : >"$work/sources.list"
fi
apt_options=(-o "Dir::Etc::SourceList=$work/sources.list"
             -o "Dir::Etc::SourceParts=$work/sources"
             -o "Dir::State::Lists=$work/lists"
             -o "Dir::Cache=$work/cache"
             -o "Debug::NoLocking=1")
# apt drops to its sandbox user for downloads, which cannot write into a private folder.
[ "$(id -u)" -ne 0 ] || apt_options+=(-o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" -qq update
(cd "$work/src" && apt-get "${apt_options[@]}" -qq source --download-only sqlite3)

# apt has already checked the downloaded files against the signed source index.
(cd "$work/src" && dpkg-source --no-check -x ./*.dsc tree >/dev/null)
(cd "$work/src/tree" && ./configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)

x86_64-w64-mingw32-gcc -O2 -shared "$work/src/tree/sqlite3.c" -o "$work/sqlite3.dll" \
  -static-libgcc
mv "$work/sqlite3.dll" "$output"
echo "Built $output"
