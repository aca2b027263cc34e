#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages listed in debian-packages.txt that are not installed yet:
# the plain names, and the names written after this release's code name.
# Idempotent: does nothing (not even apt-get update) when everything is present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list="$here/debian-packages.txt"
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
read -r -a supported < <(sed -n 's/^# Supported releases[^:]*: *//p' "$list") || true
if [[ " ${supported[*]} " != *" $release "* ]]; then
  echo "install-deps: Debian '${release:-?}' is not a supported release (${supported[*]});" \
    "trying the names common to all of them" >&2
fi
mapfile -t wanted < <(sed -E -e 's/#.*//' -e 's/^\s+|\s+$//g' "$list" |
  awk -v release="$release" '
    /^$/ { next }
    /^[a-z0-9-]+:/ { sub(/:[ \t]*/, " "); if ($1 == release) print $2; next }
    { print }')
# A name an installed package provides counts as installed (a nodejs that carries npm
# provides npm, and conflicts with Debian's).
mapfile -t provided < <(dpkg-query -W -f='${db:Status-Abbrev}|${Provides}\n' 2>/dev/null |
  awk -F'|' '$1 ~ /^ii/ { n = split($2, names, /, */);
                          for (i = 1; i <= n; i++) { sub(/ .*/, "", names[i]); print names[i] } }')
missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q 'install ok installed' &&
     [[ " ${provided[*]} " != *" $pkg "* ]]; then
    missing+=("$pkg")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
