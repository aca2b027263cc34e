#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window test on a screen of another density:
#   window_at_density.sh DRIVER EXE DPI SHARED_DIR OWN_DIR
# The texts' widths in the designed look are drawn first in the shared 96-dpi prefix
# (SHARED_DIR), the only one with the designed face; then the window is driven in the
# density's own prefix (OWN_DIR), against them.
set -euo pipefail
driver=$1
exe=$2
dpi=$3
here=$(cd "$(dirname "$0")" && pwd)
widths=$(QUORVEL_WINE_DIR=$4 "$here/wine_run.sh" "$driver" designed-widths | tr -d '\r')
echo "designed widths at 96 dpi: $widths"
# shellcheck disable=SC2086 # one argument per width
QUORVEL_WINE_DIR=$5 exec "$here/wine_run.sh" "$driver" window "$exe" "$dpi" $widths
