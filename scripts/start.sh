#!/usr/bin/env bash
# Builds and starts Tolvane on a Debian 12 machine: installs what is missing, builds the
# program and the data-file builder (preset dev), builds the sample data file beside the
# program when it is missing, and starts the program. An existing data file is never rebuilt
# here: it holds the user's comments.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build
cmake --preset dev >/dev/null
cmake --build --preset dev --target tolvane tolvane-mkdb

program_dir=build/dev/ui
data_file=$program_dir/tolv2_msg.db
if [ ! -f "$data_file" ]; then
  echo "Building $data_file from sample/"
  build/dev/tools/mkdb/tolvane-mkdb create "$data_file" --from sample
elif [ -n "$(find sample -newer "$data_file" -print -quit)" ]; then
  echo "Note: sample/ has changed since $data_file was built. To rebuild it, delete it and run"
  echo "this command again; the comments stored in it would be lost."
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "start.sh: no display; run it inside a desktop session (or under xvfb-run)" >&2
  exit 1
fi
exec "$program_dir/tolvane"
