#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one Windows program under Wine, in the prefix and on the X display that the test
# run's fixture made (tests/win32/wine_fixture.sh); never in the user's own ~/.wine.
set -euo pipefail
: "${QUORVEL_WINE_DIR:?QUORVEL_WINE_DIR names the Wine folder of this test run}"
export WINEPREFIX="$QUORVEL_WINE_DIR/prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -d "$WINEPREFIX" ]; then
  echo "no Wine prefix at $WINEPREFIX: run the wine_prefix_create test first" >&2
  exit 1
fi
export DISPLAY=":$(cat "$QUORVEL_WINE_DIR/display")"
exec wine "$@"
