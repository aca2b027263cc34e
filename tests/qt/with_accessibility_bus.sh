#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command as on a desktop where a screen reader listens: an X server, a session bus
# and the accessibility bus.
#   with_accessibility_bus.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QUORVEL_ON_ACCESSIBILITY_BUS:-}" ]; then
  exec dbus-run-session -- "$here/run_on_xvfb.sh" env QUORVEL_ON_ACCESSIBILITY_BUS=1 "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null; wait "$launcher" 2>/dev/null' EXIT
"$@"
