#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the window as it opens, headless, at scale 1 and 2, and puts both side by side
# in <build-dir>/quorvel.png (next to quorvel-1x.png and quorvel-2x.png). Then shows the
# program on a headless Wayland compositor, where the toolkit draws the title bars itself,
# and saves the screen with the window (quorvel-wayland.png) and with its error report
# (quorvel-wayland-report.png); the end-to-end session drives it there.
# Given the Windows build folder too, it also saves Quorvel.exe's window under Wine, on a
# private X display, as it opens and after the worked example (quorvel-wine.png,
# quorvel-wine-calculated.png), and the same on a screen of 192 dpi (quorvel-wine-192dpi.png,
# quorvel-wine-192dpi-calculated.png).
# Given the page's folder too (make web), it saves the page in headless Chromium as it opens,
# after the worked example and with the error report open, and its phone view on phone
# screens after the worked example and with the report (quorvel-web.png,
# quorvel-web-calculated.png, quorvel-web-report.png, quorvel-web-phone*.png); and the same
# window after the worked example and phone view in Firefox ESR and WebKitGTK
# (quorvel-web-firefox*.png, quorvel-web-webkit*.png).
set -euo pipefail
build_dir=${1:-build}
windows_dir=${2:-}
web_dir=${3:-}
snapshot="$build_dir/app/quorvel_snapshot"
out_dir=$build_dir
mkdir -p "$out_dir"
export QT_QPA_PLATFORM=offscreen
# Same locale wherever it runs, so the picture shows the window as tests see it.
export LC_ALL=C.UTF-8
QT_SCALE_FACTOR=1 "$snapshot" "$out_dir/quorvel-1x.png"
QT_SCALE_FACTOR=2 "$snapshot" "$out_dir/quorvel-2x.png"
"$snapshot" --side-by-side "$out_dir/quorvel.png" "$out_dir/quorvel-1x.png" "$out_dir/quorvel-2x.png"
echo "wrote $out_dir/quorvel.png (1x and 2x side by side)"
QUORVEL_SCREENSHOT_DIR=$(cd "$out_dir" && pwd) "$(dirname "$0")/../tests/e2e/run_e2e.sh" wayland \
  --cmake cmake --build-dir "$build_dir" >/dev/null
echo "wrote $out_dir/quorvel-wayland.png and $out_dir/quorvel-wayland-report.png"

if [ -n "$windows_dir" ]; then
  here=$(cd "$(dirname "$0")" && pwd)
  wine_dir=$(mktemp -d)
  trap 'for d in "$wine_dir"/*; do "$here/../tests/win32/wine_fixture.sh" cleanup "$d"; done
        rm -rf "$wine_dir"' EXIT
  for dpi in 96 192; do
    name=quorvel-wine
    [ "$dpi" = 96 ] || name=quorvel-wine-${dpi}dpi
    "$here/../tests/win32/wine_fixture.sh" setup "$wine_dir/$dpi" "$dpi" >/dev/null
    QUORVEL_WINE_DIR=$wine_dir/$dpi "$here/../tests/win32/wine_run.sh" \
      "$windows_dir/tests/win32/quorvel_drive.exe" screenshot \
      "Z:$(realpath "$windows_dir")/Quorvel.exe" "Z:$(realpath "$out_dir")" "$name"
    echo "wrote $out_dir/$name.png and $out_dir/$name-calculated.png (Wine, $dpi dpi)"
  done
fi

if [ -n "$web_dir" ]; then
  /usr/bin/python3 -B "$(dirname "$0")/../tests/web/screenshots.py" "$web_dir" "$out_dir"
fi
