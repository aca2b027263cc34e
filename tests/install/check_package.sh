#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package: its control fields, that it carries no maintainer
# scripts, that it holds exactly the files an install puts under a prefix (moved to
# /usr), that its programs are linked with full RELRO and its gzip files are made
# with gzip -9n.
# Usage: check_package.sh DEB VERSION INSTALL_PREFIX
set -euo pipefail
deb=$1 version=$2 installed=$3

fail() { echo "FAIL: $*" >&2; status=1; }
status=0
[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { dpkg-deb --field "$deb" "$1"; }
expect_field() {
  [ "$(field "$1")" = "$2" ] || fail "$1 is '$(field "$1")', not '$2'"
}
expect_field Package quorvel
expect_field Version "$version"
expect_field Architecture "$(dpkg --print-architecture)"
expect_field Section science
expect_field Recommends "qt6-wayland, qt6-translations-l10n"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\ ]+@[^@\ ]+\.[a-z]+\>$ ]] ||
  fail "Maintainer '$(field Maintainer)' is not a name and an address"
# The fonts by hand; the rest from dpkg-shlibdeps, which lists every library with a version.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*//; s/ //g')
# Debian 13 renamed libraries whose interface holds a time_t, adding t64.
for package in fonts-liberation2 libc6 libqt6widgets6 libstdc++6; do
  grep -q -x -F -e "$package" -e "${package}t64" <<<"$depends" ||
    fail "Depends lacks $package: $(field Depends)"
done
description=$(field Description)
synopsis=$(head -n 1 <<<"$description")
[ -n "$synopsis" ] && [ ${#synopsis} -le 80 ] || fail "synopsis '$synopsis' is empty or too long"
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "the extended description is missing"

# Only the control file and the checksums: no maintainer scripts, no triggers.
dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort >"$work/control"
[ "$(cat "$work/control")" = "$(printf 'control\nmd5sums')" ] ||
  fail "control archive holds more than control and md5sums: $(tr '\n' ' ' <"$work/control")"

# The package is the install, nothing more and nothing less.
dpkg-deb --extract "$deb" "$work/root"
packaged=$(cd "$work/root/usr" && find . -type f -o -type l | sort)
expected=$(cd "$installed" && find . -type f -o -type l | sort)
if [ "$packaged" != "$expected" ]; then
  fail "packaged files differ from an install's (< install under a prefix, > package /usr):"
  diff <(echo "$expected") <(echo "$packaged") >&2 || true
fi

while IFS= read -r -d '' program; do
  name=${program#"$work/root"}
  readelf -lW "$program" | grep -q GNU_RELRO || fail "$name has no RELRO segment"
  readelf -dW "$program" | grep -q -E 'BIND_NOW|Flags:.* NOW' || fail "$name is not bound now"
  ! readelf -SW "$program" | grep -q -E '\.symtab|\.debug_' || fail "$name is not stripped"
done < <(find "$work/root" -type f -perm -u+x -print0)

# gzip -9n: maximum compression (extra flags 2), no file name (flag 8), no time stamp.
while IFS= read -r -d '' gz; do
  name=${gz#"$work/root"}
  read -r flags mtime xfl < <(od -An -j3 -N6 -tu1 "$gz" |
    awk '{print $1, $2 + $3 + $4 + $5, $6}')
  [ $((flags & 8)) -eq 0 ] || fail "$name keeps its file name"
  [ "$mtime" -eq 0 ] || fail "$name keeps a time stamp"
  [ "$xfl" -eq 2 ] || fail "$name is not compressed at the maximum level"
done < <(find "$work/root" -name '*.gz' -print0)

if [ $status -eq 0 ]; then
  echo "ok: $(basename "$deb"), $(wc -l <<<"$packaged") files, depends on $(field Depends)"
fi
exit $status
