#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows tests' surroundings, made once per test run and removed after it:
#   wine_fixture.sh setup DIR [DPI]  starts a private Xvfb and creates a Wine prefix in DIR,
#                                    its screen at DPI dots per inch (default 96)
#   wine_fixture.sh cleanup DIR      stops that prefix's Wine server and the Xvfb, removes DIR
# Creating a prefix takes seconds, so the tests share one; its Wine server is kept
# running for the whole run so that each test starts Wine quickly.
set -euo pipefail
action=$1
dir=$2
dpi=${3:-96}
export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all

stop() {
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
  fi
}

case $action in
  setup)
    stop
    rm -rf "$dir"
    mkdir -p "$dir"
    # Xvfb picks a free display number itself and writes it to fd 3.
    # A screen as large in inches at any density, so that the window fits at each.
    setsid Xvfb -displayfd 3 -screen 0 "$((1280 * dpi / 96))x$((1024 * dpi / 96))x24" \
      -nolisten tcp -noreset \
      3>"$dir/display" </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
      [ -s "$dir/display" ] && break
      sleep 0.1
    done
    if [ ! -s "$dir/display" ]; then
      echo "Xvfb did not start" >&2
      exit 1
    fi
    export DISPLAY=":$(cat "$dir/display")"
    mkdir -p "$WINEPREFIX"
    setsid wineserver -p </dev/null >/dev/null 2>&1
    wineboot -i >/dev/null 2>&1
    # Wine draws the windows' frames and captions itself: the display has no window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # wineboot returns before the prefix has settled; wait for it.
    wine cmd /c exit 0 >/dev/null 2>&1
    if [ "$dpi" != 96 ]; then
      # Wine takes the density in full only from a server that starts with it in the
      # registry: the server is stopped, which writes the registry out, and started afresh.
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
      wineserver -k
      wineserver -w
      setsid wineserver -p </dev/null >/dev/null 2>&1
      wine cmd /c exit 0 >/dev/null 2>&1
    fi
    echo "Wine prefix ready on display $DISPLAY at $dpi dpi"
    ;;
  cleanup)
    stop
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 setup DIR [DPI] | cleanup DIR" >&2
    exit 2
    ;;
esac
