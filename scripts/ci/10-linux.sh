#!/usr/bin/env bash
# The Linux suite, optimised, warnings as errors: against the engine the build places beside
# the program, then again against the system's engine, which must work as well.
set -euo pipefail
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
system_engine=$(grep '^TOLVANE_SYSTEM_ENGINE_DIR:' build/ci/CMakeCache.txt | cut -d= -f2-)
echo "--- again against the system's engine in $system_engine"
LD_LIBRARY_PATH="$system_engine" TOLVANE_ENGINE_UNDER_TEST=system ctest --preset ci
