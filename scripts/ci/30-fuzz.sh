#!/usr/bin/env bash
# The fuzz targets (clang, libFuzzer with ASan and UBSan), each for a bounded time.
set -euo pipefail
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
