#!/usr/bin/env bash
# Usage: fetch-debian-source.sh PACKAGE DIR
# Downloads Debian's source package PACKAGE, in the version the machine's own package sources
# offer, and unpacks it with Debian's patches applied into DIR/tree (DIR must not hold a tree
# yet). Needs: apt-get (network), dpkg-dev. No root rights are needed.
set -euo pipefail

package="$1"
dir="$(mkdir -p "$2" && cd "$2" && pwd)"
apt_dir="$dir/apt"

# A private apt configuration that reads the machine's own package sources as source entries,
# so the system's lists and caches stay untouched.
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$dir/src"
for sources in /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$sources" >"$apt_dir/sources/$(basename "$sources")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt_dir/sources.list"
else
  : >"$apt_dir/sources.list"
fi
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
             -o "Dir::Etc::SourceParts=$apt_dir/sources"
             -o "Dir::State::Lists=$apt_dir/lists"
             -o "Dir::Cache=$apt_dir/cache"
             -o "Debug::NoLocking=1")
# apt drops to its sandbox user for downloads, which cannot write into a private folder.
[ "$(id -u)" -ne 0 ] || apt_options+=(-o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" -qq update
(cd "$dir/src" && apt-get "${apt_options[@]}" -qq source --download-only "$package")

# apt has already checked the downloaded files against the signed source index.
(cd "$dir/src" && dpkg-source --no-check -x ./*.dsc "$dir/tree" >/dev/null)
rm -rf "$apt_dir" "$dir/src"
