#!/usr/bin/env bash
# Usage: accessibility.sh TOLVANE TOLVANE_MKDB SAMPLE_DIR
# Reads the real window as a screen reader does: on a virtual X server, in a D-Bus session of
# its own with the AT-SPI bus and registry, with Qt's accessibility switched on. Once with the
# sample's English captions and once with its German translation, accessibility.py starts the
# program on a fresh data file, reads the name and role of every control at start, after a
# search, with the comment editor and with message boxes open, listens for the status told
# after each search, and opens the context menu with Shift+F10 and the Menu key in both lists.
# Needs Xvfb, xdotool, dbus-run-session (dbus-daemon), at-spi2-core and python3-pyatspi.
set -euo pipefail

if [ -z "${TOLVANE_ACCESSIBILITY_INSIDE:-}" ]; then
  for tool in xvfb-run Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "accessibility: $tool is not installed" >&2; exit 1; }
  done
  # The system's Python: pyatspi is a Debian package, unknown to any other Python on PATH.
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "accessibility: python3-pyatspi is not installed" >&2; exit 1; }
  export TOLVANE_ACCESSIBILITY_INSIDE=1
  exec timeout -k 10 150 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    dbus-run-session -- bash "$0" "$@"
fi

program=$1 mkdb=$2 sample=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
bus=""
cleanup() {
  [ -n "$bus" ] && kill "$bus" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$root/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The accessibility bus must be up before the program starts: Qt looks for it only then. The
# registry comes up on it when first asked for.
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
bus=$!
busctl_ready() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.a11y.Bus.GetAddress >/dev/null 2>&1; }
for _ in $(seq 50); do busctl_ready && break; sleep 0.1; done
busctl_ready || { echo "accessibility: the AT-SPI bus did not come up" >&2; exit 1; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

for language in EN DE; do
  stage="$root/$language"
  mkdir -p "$stage"
  cp "$program" "$stage/tolvane"
  cp "$(dirname "$program")/libsqlite3.so.0" "$stage/"
  cp -r "$sample" "$stage/catalogue"
  sed -i "s/^setting interface_lang .*/setting interface_lang $language/" \
    "$stage/catalogue/catalogue.txt"
  "$mkdb" create "$stage/tolv2_msg.db" --from "$stage/catalogue" >/dev/null
  /usr/bin/python3 "$here/accessibility.py" "$stage" "$sample" "$language"
done
