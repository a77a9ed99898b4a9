#!/usr/bin/env bash
# Sets up the machine, builds both targets and runs the main job on the demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh native win32
echo "built:"
find build/win32 -maxdepth 3 \( -name '*.exe' -o -name '*.dll' \) -not -path '*/googletest/*' -printf '  %p (%s bytes)\n' | sort

echo
echo "== the demo schedule as the schedule editor lists it (demo/data)"
build/native/tools/smlist demo/data
echo
echo "== lines that cannot be read (smlist --check)"
if build/native/tools/smlist --check demo/data; then echo "(none)"; else echo "(exit status $?)"; fi

echo
echo "== the setup wizard on the demo installation"
scripts/demo-wizard.sh
