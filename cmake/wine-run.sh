#!/usr/bin/env bash
# Emulator for ctest: runs one Windows program under Wine, then waits for the wineserver to
# finish so that the next program starts clean.
source "$(dirname "$0")/../scripts/wine-env.sh"
wine "$@"
rc=$?
wineserver -w
exit $rc
