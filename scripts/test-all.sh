#!/usr/bin/env bash
# Runs every test on a fresh Debian 12 machine: installs what is missing, then builds and runs
# the Linux suite (warnings as errors), the sanitizer suite, random use of the real window on
# the sanitizer build, the fuzz targets for a bounded time, and the Windows suite under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build windows
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

for step in scripts/ci/*.sh; do
  echo "=== $(basename "$step" .sh)"
  bash "$step"
done
echo "All test suites passed."
