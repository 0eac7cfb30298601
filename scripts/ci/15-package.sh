#!/usr/bin/env bash
# The portable folder as a user gets it: the archive built from the ci tree, unpacked and run
# from outside the build tree under a virtual X server.
set -euo pipefail
cmake --build --preset ci --target package
bash tests/package/package-test.sh build/ci/package/tolvane-*-linux-*.tar.gz
