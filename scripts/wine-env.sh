# Sourced by the scripts that run Windows programs: one Wine prefix inside the build tree,
# a Japanese locale, and one Xvfb display for the whole run (started here when none answers).
: "${SM_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$SM_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export SM_DISPLAY_NUM="${SM_DISPLAY_NUM:-77}"
export DISPLAY=":$SM_DISPLAY_NUM"

sm_start_xvfb() {
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    rm -f "/tmp/.X${SM_DISPLAY_NUM}-lock"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 50); do
      xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
}

sm_init_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
}
