#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package as a user gets it: installed with apt-get, the installed /usr/bin/quorvel
# driven through the end-to-end test on X11 and on Wayland, then purged, after which
# none of the package's files may remain. Needs root and a machine it may install into.
# Usage: apt_round_trip.sh DEB
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$(realpath "$1")
package=$(dpkg-deb --field "$deb" Package)
mapfile -t files < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\.||')

export DEBIAN_FRONTEND=noninteractive
purge() { apt-get purge -y "$package" >/dev/null; }
trap purge EXIT
apt-get install -y "$deb"
if [ "$(dpkg-query -W -f='${Status}' "$package")" != "install ok installed" ]; then
  echo "FAIL: apt-get did not install $package" >&2
  exit 1
fi
for kind in x11 wayland; do
  "$here/../e2e/run_e2e.sh" "$kind" --binary /usr/bin/quorvel
done

trap - EXIT
apt-get purge -y "$package"
status=0
if dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q -v '^unknown ok not-installed$'; then
  echo "FAIL: dpkg still knows $package: $(dpkg-query -W -f='${Status}' "$package")" >&2
  status=1
fi
for file in "${files[@]}"; do
  if [ -e "$file" ] || [ -L "$file" ]; then
    echo "FAIL: $file remains after the purge" >&2
    status=1
  fi
done
[ ! -e "/usr/share/doc/$package" ] || { echo "FAIL: /usr/share/doc/$package remains" >&2; status=1; }
if [ $status -eq 0 ]; then
  echo "ok: $package installed, driven on X11 and Wayland, purged; none of its ${#files[@]} files remain"
fi
exit $status
