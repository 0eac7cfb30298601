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
bash "$(dirname "$0")/fetch-debian-source.sh" sqlite3 "$work"
(cd "$work/tree" && ./configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)

cp "$work/tree/sqlite3.h" "$output/"
# The source last: its presence says the folder is complete.
cp "$work/tree/sqlite3.c" "$output/sqlite3.c.part"
mv "$output/sqlite3.c.part" "$output/sqlite3.c"
echo "The engine's source is in $output"
