#!/usr/bin/env bash
# Offers the setup wizard on a demo installation: a Wine prefix of its own whose registry holds
# the uninstall registration and the product key, pointing at an install folder (SmSetup.exe,
# the host stand-in as Solmora.exe) and a data folder (a copy of demo/data). With a display the
# wizard is started for the user; without one, each of its pages is shown in turn on a virtual
# display and photographed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
demo=$root/build/demo
export WINEPREFIX=$demo/prefix
user_display=${DISPLAY:-}
export SM_DISPLAY_NUM=92
source scripts/wine-env.sh

winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

mkdir -p "$demo/install" "$demo/data"
cp build/win32/setup/SmSetup.exe "$demo/install/SmSetup.exe"
cp build/win32/tools/HostStandin.exe "$demo/install/Solmora.exe"
cp build/win32/tools/TimeAdjustStandin.exe "$demo/install/TimeAdjustStandin.exe"
cp demo/data/*.ini "$demo/data/"

if [ -n "$user_display" ] && xdpyinfo -display "$user_display" >/dev/null 2>&1; then
  export DISPLAY=$user_display
else
  sm_start_xvfb
fi
sm_init_prefix
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Solmora' /v UninstallString \
  /t REG_SZ /d "\"$(winpath "$demo/install")\\Uninst.exe\" /x" /f /reg:32 >/dev/null 2>&1
wine reg add 'HKLM\Software\Solmora' /v DataPath /t REG_SZ /d "$(winpath "$demo/data")\\" /f /reg:32 >/dev/null 2>&1
wineserver -w

if [ "$DISPLAY" = "${user_display:-none}" ]; then
  echo "starting the setup wizard on the demo installation ($demo)"
  wine "$demo/install/SmSetup.exe"
  wineserver -w
  exit 0
fi

echo "no display: the wizard's pages, photographed on a virtual display"
for page in 0 1 2 3 4 5; do
  wine "$demo/install/SmSetup.exe" "$page" >/dev/null 2>&1 &
  pid=$!
  sleep "${SM_SHOT_DELAY:-5}"
  import -display "$DISPLAY" -window root -crop 660x480+310+272 +repage "$demo/page$page.png"
  wineserver -k || true
  wait "$pid" || true
  echo "  page $page: $demo/page$page.png"
done
