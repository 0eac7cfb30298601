#!/usr/bin/env bash
# Runs every test on a fresh Debian 12 machine: installs what is missing, then builds and runs
# the Linux suite (warnings as errors), the portable folder, the sanitizer suite, random use of
# the real window on the sanitizer build, the accessibility tree of the real window, the fuzz
# targets for a bounded time, and the Windows build under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build windows
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

# Qt for Windows takes about half an hour the first time (nothing once cached): it is built
# alongside the Linux steps, at a lower priority, and the Windows steps wait for it.
qt_log=$(mktemp)
nice -n 10 bash scripts/build-qt-windows.sh >"$qt_log" 2>&1 &
qt_build=$!

started=$SECONDS
for step in scripts/ci/*.sh; do
  name=$(basename "$step" .sh)
  if [[ $name == 40-* ]] && [ -n "$qt_build" ]; then
    echo "=== waiting for Qt for Windows"
    wait "$qt_build" || { tail -n 40 "$qt_log"; echo "Qt for Windows could not be built" >&2; exit 1; }
    grep 'built in' "$qt_log" || true
    qt_build=""
  fi
  echo "=== $name"
  step_started=$SECONDS
  bash "$step"
  echo "=== $name took $(( SECONDS - step_started )) s ($(( SECONDS - started )) s in all)"
done
echo "All test suites passed."
