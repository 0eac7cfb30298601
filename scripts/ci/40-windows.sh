#!/usr/bin/env bash
# The whole program cross-built for Windows (mingw-w64, with Qt built once from Debian's own
# source into a cache outside the checkout), its suite run under a headless wine, then the
# zip built and used under wine on a virtual X server as a user would.
set -euo pipefail

stage=$(mktemp -d)
trap 'stop_wine; rm -rf "$stage"' EXIT
unset DISPLAY WAYLAND_DISPLAY
# shellcheck source=../../tests/support/wine-session.sh
source tests/support/wine-session.sh

started=$SECONDS
cmake --preset windows >/dev/null
echo "--- configured in $(( SECONDS - started )) s (Qt for Windows included when it was not cached)"
cmake --build --preset windows
# The first program that uses the window system (the clipboard test) brings wine's desktop
# up; once, beforehand, so that no test meets it half-started.
timeout 60 wine build/windows/tests/platform/PlatformTest.exe --gtest_list_tests \
  </dev/null >/dev/null 2>&1 || true
timeout 900 ctest --preset windows

cmake --build --preset windows --target package
bash tests/package/windows-package-test.sh build/windows/package/tolvane-*-windows-x86_64.zip \
  build/windows/tests/support/ClipboardDump.exe
bash tests/package/windows-setup-test.sh build/windows/package/tolvane-*-windows-x86_64-setup.exe \
  build/windows/tests/support/ClipboardDump.exe
