#!/usr/bin/env bash
# Runs a Windows program that shows a form under Wine on the test display and writes a PNG of the
# screen: scripts/screenshot.sh OUT.png PROGRAM.exe [ARGS...]
# The program must close by itself (the demo takes the seconds to stay open as its argument);
# the picture is taken after SM_SHOT_DELAY seconds (default 4).
set -euo pipefail
out=$1; shift
export SM_DISPLAY_NUM="${SM_DISPLAY_NUM:-91}"   # a display of its own, away from test runs
source "$(dirname "$0")/wine-env.sh"
sm_start_xvfb
sm_init_prefix
wine "$@" >/dev/null 2>&1 &
pid=$!
sleep "${SM_SHOT_DELAY:-4}"
import -display "$DISPLAY" -window root "$out"
wait "$pid" || true
wineserver -w
echo "screenshot: $out"
