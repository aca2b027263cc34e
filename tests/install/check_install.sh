#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what an install put under PREFIX: exactly the expected files, an
# executable program, and a desktop entry and metadata file that name the
# installed program, icon and each other by the one application id and agree
# on its categories (that only one of them is a main category of the menus is
# the desktop entry validator's to say).
# Usage: check_install.sh PREFIX APP_ID VERSION SIZE...
set -euo pipefail
prefix=$1 id=$2 version=$3
shift 3

fail() { echo "FAIL: $*" >&2; status=1; }
status=0

expected=(bin/quorvel "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
  share/man/man1/quorvel.1.gz share/doc/quorvel/copyright share/doc/quorvel/changelog.gz)
for size in "$@"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
  fail "installed files differ from the expected ones (< expected, > installed):"
  diff <(echo "$wanted") <(echo "$actual") >&2 || true
fi

[ -x "$prefix/bin/quorvel" ] || fail "bin/quorvel is not executable"

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
key() { sed -n "s/^$1=//p" "$desktop"; }
if [ -f "$desktop" ]; then
  [ "$(key Exec)" = quorvel ] || fail "Exec= is '$(key Exec)', not the installed program quorvel"
  [ "$(key Icon)" = "$id" ] || fail "Icon= is '$(key Icon)', not the installed icon $id"
fi
if [ -f "$metainfo" ]; then
  grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's <id> is not $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
  grep -q "<binary>quorvel</binary>" "$metainfo" || fail "the metadata does not provide quorvel"
  grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the metadata has no release $version, the program's version"
  grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" ||
    fail "the metadata does not give the program's licence"
  if [ -f "$desktop" ]; then
    categories=$(sed -n 's|.*<category>\(.*\)</category>.*|\1;|p' "$metainfo" | tr -d '\n')
    [ "$categories" = "$(key Categories)" ] ||
      fail "the metadata's categories '$categories' are not the desktop entry's '$(key Categories)'"
  fi
fi

if [ $status -eq 0 ]; then
  echo "ok: ${#expected[@]} files under $prefix"
fi
exit $status
