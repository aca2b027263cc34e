#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the AT-SPI end-to-end session on a display server of its own, in a private D-Bus
# session.
# Usage: run_e2e.sh x11|wayland SESSION-ARGS...
#   x11      a private Xvfb. The server number is searched from 142 up, away from other
#            suites that start their own Xvfb from the default 99. -noreset: by default
#            Xvfb resets when its last client leaves, and the accessibility bus launcher
#            is a client that comes and goes just before the program connects; a
#            connection that lands in the reset is refused.
#   wayland  a headless weston with its own runtime folder and socket name, without
#            XWayland and with DISPLAY unset, so the program can only be a Wayland client.
#            With QUORVEL_SCREENSHOT_DIR set, weston also lets clients take screenshots.
# SESSION-ARGS go to atspi_session.py (--cmake and --build-dir, or --binary).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kind=${1:?usage: run_e2e.sh x11|wayland SESSION-ARGS...}
shift
session=(dbus-run-session -- /usr/bin/python3 "$here/atspi_session.py" --platform "$kind")

case $kind in
  x11)
    exec xvfb-run --auto-servernum --server-num=142 \
      --server-args="-screen 0 1280x1024x24 -noreset" "${session[@]}" "$@"
    ;;
  wayland) ;;
  *)
    echo "run_e2e.sh: unknown display kind '$kind'" >&2
    exit 2
    ;;
esac

runtime=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-wayland-XXXXXX")
chmod 700 "$runtime"
socket=quorvel-e2e-$$
debug=()
if [ -n "${QUORVEL_SCREENSHOT_DIR:-}" ]; then debug=(--debug); fi
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman \
  --socket="$socket" --width=1024 --height=768 --idle-time=0 "${debug[@]}" \
  --log="$runtime/weston.log" &
compositor=$!
trap 'kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 200); do
  if [ -S "$runtime/$socket" ] || ! kill -0 "$compositor" 2>/dev/null; then break; fi
  sleep 0.05
done
if [ ! -S "$runtime/$socket" ]; then
  echo "weston did not start:" >&2
  cat "$runtime/weston.log" >&2
  exit 1
fi
status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" "${session[@]}" "$@" ||
  status=$?
exit $status
