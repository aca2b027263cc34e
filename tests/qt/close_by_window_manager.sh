#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program on a fresh X server, asks its window to close as a window
# manager's close button does, and checks that the program ends with status 0.
#   close_by_window_manager.sh PROGRAM SENDER
# Run it on an X server of its own (run_on_xvfb.sh).
set -uo pipefail
program=$1
sender=$2
title=' Quorvel V1.0 - Cx'

"$program" &
pid=$!
if ! "$sender" "$title" 20; then
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "FAIL: the window did not appear"
  exit 1
fi
# The program has ten seconds to end by itself.
for _ in $(seq 100); do
  if ! kill -0 "$pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  wait "$pid" 2>/dev/null
  echo "FAIL: the program did not end after the close request"
  exit 1
fi
wait "$pid"
status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: the program ended with status $status"
  exit 1
fi
echo "the program ended with status 0 after the close request"
