#!/usr/bin/env bash
# The Linux suite, optimised, warnings as errors.
set -euo pipefail
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
