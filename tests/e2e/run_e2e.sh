#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the AT-SPI end-to-end session in a private X server and D-Bus session.
# Usage: run_e2e.sh CMAKE BUILD_DIR
# The X server number is searched from 142 up, away from other suites that start
# their own Xvfb from the default 99, so that parallel test runs do not collide.
# -noreset: by default Xvfb resets when its last client leaves, and the
# accessibility bus launcher is a client that comes and goes just before the
# program connects; a connection that lands in the reset is refused.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec xvfb-run --auto-servernum --server-num=142 \
  --server-args="-screen 0 1280x1024x24 -noreset" \
  dbus-run-session -- /usr/bin/python3 "$here/atspi_session.py" --cmake "$1" --build-dir "$2"
