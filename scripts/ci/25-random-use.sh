#!/usr/bin/env bash
# About two minutes of random use of the real window, on the sanitizer build of 20-asan.sh.
# TOLVANE_RANDOM_SEED replays a run; TOLVANE_RANDOM_USE_SECONDS changes its length.
set -euo pipefail
cmake --build --preset asan --target tolvane tolvane-mkdb >/dev/null
bash tests/ui/random-use.sh build/asan/ui/tolvane build/asan/tools/mkdb/tolvane-mkdb sample \
  "${TOLVANE_RANDOM_USE_SECONDS:-120}"
