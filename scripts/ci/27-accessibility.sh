#!/usr/bin/env bash
# The real window read through AT-SPI as a screen reader reads it, in English and in German,
# on the optimised build of 10-linux.sh.
set -euo pipefail
cmake --preset ci >/dev/null
cmake --build --preset ci --target tolvane tolvane-mkdb >/dev/null
bash tests/ui/accessibility.sh build/ci/ui/tolvane build/ci/tools/mkdb/tolvane-mkdb sample
