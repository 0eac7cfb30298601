#!/usr/bin/env bash
# Usage: fetch-sqlite-source.sh OUTDIR
# Puts the engine's amalgamation (sqlite3.c, sqlite3.h) generated from Debian's own sqlite3
# source package into OUTDIR, which the build compiles into the engine beside the program for
# each target. Nothing is done when OUTDIR already holds it. The amalgamation is not packaged,
# so it is generated from the sources.
# Needs: apt-get (network), dpkg-dev, tcl, a C compiler.
set -euo pipefail

output="$1"
if [ -f "$output/sqlite3.c" ] && [ -f "$output/sqlite3.h" ]; then
  exit 0
fi
mkdir -p "$output"
output="$(cd "$output" && pwd)"

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

cp "$work/src/tree/sqlite3.h" "$output/"
# The source last: its presence says the folder is complete.
cp "$work/src/tree/sqlite3.c" "$output/sqlite3.c.part"
mv "$output/sqlite3.c.part" "$output/sqlite3.c"
echo "The engine's source is in $output"
