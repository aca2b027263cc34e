#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a virtual X server of its own. The server picks a free display number
# itself (-displayfd), so tests running side by side do not share one.
#   run_on_xvfb.sh COMMAND [ARGS...]
set -euo pipefail
numberFile=$(mktemp)
# -noreset: without it the server resets whenever its last client leaves (the accessibility
# bus launcher connects and leaves early), and a client connecting then is refused.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$numberFile"' EXIT
for _ in $(seq 200); do
  if [ -s "$numberFile" ]; then break; fi
  sleep 0.05
done
display=$(head -n 1 "$numberFile")
if [ -z "$display" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$display" "$@"
