#!/usr/bin/env bash
# Sets up the machine, builds both targets and runs the main job on the demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh native win32
echo "built:"
find build/win32 -maxdepth 3 \( -name '*.exe' -o -name '*.dll' \) -not -path '*/googletest/*' -printf '  %p (%s bytes)\n' | sort
