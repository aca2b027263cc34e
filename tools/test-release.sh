#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole test of a newcomer's checkout on a fresh Debian system of another release,
# made from Debian's archive with mmdebstrap on this machine: `make test`, `make package`,
# then the package installed with apt-get, driven end to end and purged
# (tests/install/apt_round_trip.sh), then any further make targets given.
# Usage: test-release.sh RELEASE [TARGET...]   e.g. test-release.sh trixie bench
#        test-release.sh --clean               removes what earlier runs left
# The system is made under build-release/RELEASE/ and removed afterwards; the packages
# it downloads stay in build-release/apt-cache/RELEASE/ for the next run, and the
# package built there is copied to build-release/. Needs root (mounts, chroot).
# Environment: DEBIAN_MIRROR (default http://deb.debian.org/debian), CTEST_FLAGS (passed
# on to make test), KEEP_SYSTEM=1 keeps the system for a look inside.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
area=$top/build-release

if [ "$(id -u)" -ne 0 ]; then exec sudo --preserve-env=DEBIAN_MIRROR,CTEST_FLAGS,KEEP_SYSTEM "$0" "$@"; fi

# Every mount point at or under $1, deepest first.
mounts_under() {
  awk -v root="$1" '$5 == root || index($5, root "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}
unmount_all() {
  local point
  for point in $(mounts_under "$1"); do
    umount "$point" 2>/dev/null || umount --lazy "$point"
  done
  [ -z "$(mounts_under "$1")" ]
}
# Ends every process still running inside system $1 (a daemon a test left behind, or
# the step an interruption cut short), so that its mounts can go.
stop_processes() {
  local signal pid
  for signal in TERM KILL; do
    for pid in $(find_processes "$1"); do kill "-$signal" "$pid" 2>/dev/null || true; done
    for _ in 1 2 3 4 5; do
      [ -z "$(find_processes "$1")" ] && return 0
      sleep 1
    done
  done
}
find_processes() {
  local link
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$1" ] && { link=${link#/proc/}; echo "${link%/root}"; }
  done
  return 0
}
# Removes a system only when nothing is mounted in it any more: a /dev still bound
# inside would otherwise be emptied with it.
remove_system() {
  stop_processes "$1"
  if unmount_all "$1"; then
    rm -rf --one-file-system "$1"
  else
    echo "test-release: $1 still has mounts; left in place" >&2
    return 1
  fi
}

if [ "${1:-}" = "--clean" ]; then
  for system in "$area"/*/root; do
    [ -d "$system" ] && remove_system "$system"
  done
  rm -rf --one-file-system "$area"
  exit 0
fi

release=${1:?usage: test-release.sh RELEASE [TARGET...]}
shift
[[ $release =~ ^[a-z]+$ ]] || { echo "test-release: '$release' is not a release code name" >&2; exit 2; }
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
system=$area/$release/root
cache=$area/apt-cache/$release
log=$area/$release.times

finish() {
  local status=$?
  trap - EXIT INT TERM
  if [ "${KEEP_SYSTEM:-}" = 1 ]; then
    stop_processes "$system"
    unmount_all "$system" || echo "test-release: could not unmount everything in $system" >&2
    echo "test-release: system kept in $system"
  else
    remove_system "$system" || status=1
  fi
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# What an earlier, killed run may have left.
[ ! -e "$system" ] || remove_system "$system"
mkdir -p "$system" "$cache"
: >"$log"
step() {
  local name=$1 start=$SECONDS
  shift
  echo "== $release: $name"
  "$@"
  printf '%-40s %5d s\n' "$name" $((SECONDS - start)) | tee -a "$log"
}

# A minimal system with what a newcomer starts from: make, git and certificates.
# Its downloads are kept for the next run.
mkdir -p "$area/tmp"
step "mmdebstrap $release" env TMPDIR="$area/tmp" mmdebstrap --variant=minbase --include=make,git,ca-certificates \
  --skip=download/empty \
  --setup-hook='mkdir -p "$1"/var/cache/apt/archives' \
  --setup-hook="sync-in $cache /var/cache/apt/archives/" \
  --customize-hook="sync-out /var/cache/apt/archives $cache" \
  "$release" "$system" "$mirror"

cp /etc/resolv.conf "$system/etc/resolv.conf"
# The fresh system reaches the package registries as this machine does: it trusts the
# certificate authorities this machine was given locally (a network that inspects TLS has
# one), and node, which keeps its own list, is told of them.
if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
  mkdir -p "$system/usr/local/share/ca-certificates"
  cp /usr/local/share/ca-certificates/*.crt "$system/usr/local/share/ca-certificates/"
  chroot "$system" update-ca-certificates >/dev/null
  node_ca=/etc/ssl/certs/ca-certificates.crt
fi
# No service starts inside: the tests start what they need.
printf '#!/bin/sh\nexit 101\n' >"$system/usr/sbin/policy-rc.d"
chmod 755 "$system/usr/sbin/policy-rc.d"

# The checkout as a newcomer gets it: tracked files and new files not ignored.
mkdir -p "$system/src/quorvel"
git ls-files -z -c -o --exclude-standard |
  tar --null --files-from=- --ignore-failed-read -cf - |
  tar -xf - -C "$system/src/quorvel"

mount -t proc proc "$system/proc"
mount -t sysfs sysfs "$system/sys"
mount --rbind /dev "$system/dev"
mount --make-rslave "$system/dev"
mount --bind "$cache" "$system/var/cache/apt/archives"

inside() {
  chroot "$system" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    ${CTEST_FLAGS:+CTEST_FLAGS="$CTEST_FLAGS"} \
    ${node_ca:+NODE_EXTRA_CA_CERTS="$node_ca"} \
    /bin/bash -c 'cd /src/quorvel && "$@"' bash "$@" &
  # Waiting in the background lets an interruption reach the traps at once.
  wait $!
}
step "make test" inside make test
step "make package" inside make package
cp "$system"/src/quorvel/build/quorvel_*.deb "$area/"
for deb in "$system"/src/quorvel/build/quorvel_*.deb; do
  echo "$(basename "$deb"): Depends: $(dpkg-deb --field "$deb" Depends)" | tee -a "$log"
done
step "apt round trip" inside sh -c 'tests/install/apt_round_trip.sh build/quorvel_*.deb'
for target in "$@"; do
  step "make $target" inside make "$target"
done
echo "test-release: $release passed"
cat "$log"
