#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows Installer package, read with msitools and installed under Wine, in a Wine prefix
# of its own (QUORVEL_WINE_DIR, made by ../wine_fixture.sh). One step of the round trip per
# call, in this order, each a test of its own:
#   msi_test.sh package     its tables: product, version, language, per-user install, upgrade
#                           code, x64, one file, no registry values, at most 300,000 bytes
#   msi_test.sh install     an older package first, then this one over it: msiexec exits 0, the
#                           older one is gone, the program, shortcut and Programs and Features
#                           entry are where they belong
#   msi_test.sh run         the installed program works its example and ends with status 0
#   msi_test.sh reinstall   the same package again puts a deleted program back, one entry; an
#                           older package is refused
#   msi_test.sh uninstall   msiexec /x exits 0 and nothing of the package is left
# CMake passes the files: QUORVEL_MSI, QUORVEL_EXE (the program as built), QUORVEL_ICON,
# QUORVEL_WXS, QUORVEL_WIXL, QUORVEL_MSI_INSTALLED and QUORVEL_DRIVE (Windows programs).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine_run.sh"
state="$QUORVEL_WINE_DIR/msi"
upgrade_code='{B663463E-10FE-4155-B124-5FB15A87A5A2}'
component_code='{71AA59DA-CF37-436F-A323-FACAD9ABFFDA}'
publisher='Quorvel developers'
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expect() {  # expect WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then fail "$1: \"$3\", expected \"$2\""; fi
}

# Wine's console output ends its lines with CR LF.
wine_out() { "$run" "$@" 2>/dev/null | tr -d '\r'; }
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
unix_path() { wine_out winepath -u "$1"; }

msiexec_log=""
msiexec() {  # msiexec ACTION PACKAGE: its exit status, with its log in $msiexec_log
  msiexec_log="$state/msiexec-$(date +%s%N).log"
  local status=0
  "$run" msiexec "$1" "$(windows_path "$2")" /qn /l*v "$(windows_path "$msiexec_log")" ||
    status=$?
  echo "msiexec $1 $(basename "$2"): exit status $status (log $msiexec_log)" >&2
  return $status
}

# Where the user's own folders are in this prefix.
local_app_data() { unix_path "$(wine_out cmd /c echo '%LOCALAPPDATA%')"; }
app_data() { unix_path "$(wine_out cmd /c echo '%APPDATA%')"; }

programs() { wine_out "$QUORVEL_MSI_INSTALLED" programs "$upgrade_code"; }
field() { sed -n "s/^$1=//p" <<<"$2" | head -n 1; }

property() {  # property NAME: its value in the package's Property table
  msiinfo export "$QUORVEL_MSI" Property | tr -d '\r' | awk -F '\t' -v n="$1" '$1 == n { print $2 }'
}

# The files under drive C: and the registry keys below HKLM and HKCU.
snapshot() {
  (cd "$WINEPREFIX" && find drive_c -printf '%y %p\n' | LC_ALL=C sort) >"$state/$1.files"
  for hive in HKLM HKCU; do
    "$run" reg export "$hive" "$(windows_path "$state/$1.$hive.reg")" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$state/$1.$hive.reg" | tr -d '\r' >"$state/$1.$hive.txt"
    rm "$state/$1.$hive.reg"
  done
  grep -h '^\[' "$state/$1.HKLM.txt" "$state/$1.HKCU.txt" | LC_ALL=C sort >"$state/$1.keys"
}

reversed() {
  local out="" i
  for ((i = ${#1} - 1; i >= 0; i--)); do out+=${1:i:1}; done
  echo "$out"
}

# A GUID as the Windows Installer writes it into registry key names: the first three groups
# reversed whole, every other byte with its two digits swapped.
packed_guid() {
  local g=${1//[\{\}-]/}
  local packed i
  packed=$(reversed "${g:0:8}")$(reversed "${g:8:4}")$(reversed "${g:12:4}")
  for i in 16 18 20 22 24 26 28 30; do packed+=${g:i+1:1}${g:i:1}; done
  echo "$packed"
}

check_programs_and_features() {  # VERSION: one entry, of this version, as the user sees it
  local listed
  listed=$(programs)
  echo "$listed"
  local product
  product=$(field Product "$listed")
  expect "installed Quorvel products" 1 "$(field Products "$listed")"
  expect "uninstall entries called Quorvel" 1 "$(field Entries "$listed")"
  expect "product name" Quorvel "$(field ProductName "$listed")"
  expect "product version" "$1" "$(field ProductVersion "$listed")"
  expect "product publisher" "$publisher" "$(field ProductPublisher "$listed")"
  expect "uninstall entry's key" "$product" "$(field Entry "$listed" | sed 's/.*\\//')"
  expect "uninstall entry's version" "$1" "$(field DisplayVersion "$listed")"
  expect "uninstall entry's publisher" "$publisher" "$(field Publisher "$listed")"
  expect "uninstall entry's language" 1034 "$(field Language "$listed")"
  expect "uninstall command" "MsiExec.exe /X$product" "$(field UninstallString "$listed")"
  expect "uninstall entry without Change" 1 "$(field NoModify "$listed")"
  # Programs and Features takes an installer package's icon from the product's registration.
  local icon
  icon=$(unix_path "$(field ProductIcon "$listed")")
  cmp -s "$QUORVEL_ICON" "$icon" || fail "the product icon $icon is not the car icon"
  echo "$product" >"$state/product"
}

check_installed() {
  local folder shortcut
  folder="$(local_app_data)/Programs/Quorvel"
  cmp "$QUORVEL_EXE" "$folder/Quorvel.exe" || fail "the installed program is not the one built"
  expect "the program's folder" Quorvel.exe "$(find "$folder" -mindepth 1 -printf '%P ' | sed 's/ $//')"

  shortcut="$(app_data)/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk"
  if [ ! -f "$shortcut" ]; then
    fail "no shortcut Quorvel in the user's Start menu"
  else
    local link
    link=$(wine_out "$QUORVEL_MSI_INSTALLED" shortcut "$(windows_path "$shortcut")")
    echo "$link"
    expect "shortcut target" "$folder/Quorvel.exe" "$(unix_path "$(field Target "$link")")"
    local workdir
    workdir=$(unix_path "$(field WorkingDirectory "$link")")
    expect "shortcut working folder" "$folder" "${workdir%/}"
    expect "shortcut arguments" "" "$(field Arguments "$link")"
    expect "shortcut comment" "Coeficiente aerodinámico Cx" "$(field Description "$link")"
    cmp -s "$QUORVEL_ICON" "$(unix_path "$(field Icon "$link")")" ||
      fail "the shortcut's icon is not the car icon"
  fi
  check_programs_and_features 1.00

  # Nothing else: each file or folder the package added, against what may be there.
  local product
  product=$(cat "$state/product")
  snapshot installed
  echo "Added by the install:"
  LC_ALL=C comm -13 "$state/before.files" "$state/installed.files" | tee "$state/added.files"
  local user="drive_c/users/[^/]+/AppData"
  local allowed="^d $user/Local/Programs(/Quorvel)?$|^f $user/Local/Programs/Quorvel/Quorvel.exe$"
  allowed+="|^f $user/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk$"
  # Windows Installer's own: the package kept for uninstall and repair, the product's icon.
  allowed+="|^d drive_c/windows/Installer$|^f drive_c/windows/Installer/[0-9a-f]+\.msi$"
  allowed+="|^d drive_c/windows/Installer/$product$|^f drive_c/windows/Installer/$product/quorvel.ico$"
  local extra
  extra=$(grep -Ev "$allowed" "$state/added.files" || true)
  [ -z "$extra" ] || fail "the install added more than the program and its shortcut: $extra"
}

step_package() {
  local size
  size=$(stat -c %s "$QUORVEL_MSI")
  echo "$(basename "$QUORVEL_MSI"): $size bytes"
  [ "$size" -le 300000 ] || fail "the package has $size bytes, more than 300,000"

  local summary
  summary=$(msiinfo suminfo "$QUORVEL_MSI")
  echo "$summary"
  # x64; the Word Count 10: compressed (2), and no administrator rights needed (8).
  grep -qx 'Template: x64;[0-9]*' <<<"$summary" || fail "the package is not for x64"
  grep -qx 'Source: 10 (a)' <<<"$summary" || fail "the package asks for administrator rights"

  expect ProductName Quorvel "$(property ProductName)"
  expect ProductVersion 1.00 "$(property ProductVersion)"
  expect ProductLanguage 1034 "$(property ProductLanguage)"
  expect Manufacturer "$publisher" "$(property Manufacturer)"
  expect UpgradeCode "$upgrade_code" "$(property UpgradeCode)"
  expect ALLUSERS 2 "$(property ALLUSERS)"
  expect MSIINSTALLPERUSER 1 "$(property MSIINSTALLPERUSER)"
  expect ARPPRODUCTICON quorvel.ico "$(property ARPPRODUCTICON)"

  # One 64-bit component whose key path is the only file, the program, of the size built.
  local components files
  components=$(msiinfo export "$QUORVEL_MSI" Component | tail -n +4 | tr -d '\r')
  files=$(msiinfo export "$QUORVEL_MSI" File | tail -n +4 | tr -d '\r')
  expect "components" 1 "$(grep -c . <<<"$components")"
  expect "64-bit component" 256 "$(cut -f 4 <<<"$components")"
  expect "files" 1 "$(grep -c . <<<"$files")"
  expect "the file" "Quorvel.exe $(stat -c %s "$QUORVEL_EXE")" "$(cut -f 3,4 --output-delimiter=' ' <<<"$files")"
  local table
  for table in Registry CreateFolder ServiceInstall Environment; do
    if msiinfo tables "$QUORVEL_MSI" | tr -d '\r' | grep -qx "$table"; then
      expect "rows of the $table table" 0 "$(msiinfo export "$QUORVEL_MSI" $table | tail -n +4 | grep -c . || true)"
    fi
  done
  msiinfo export "$QUORVEL_MSI" Property
}

step_install() {
  rm -rf "$state"
  mkdir -p "$state/older"
  snapshot before
  # An older Quorvel from the same description: the package must replace it.
  cp "$QUORVEL_EXE" "$state/older/Quorvel.exe"
  cp "$QUORVEL_ICON" "$state/older/quorvel.ico"
  (cd "$state/older" && "$QUORVEL_WIXL" -a x64 -D Version=0.99 -D QuorvelExe=Quorvel.exe \
    -D QuorvelIcon=quorvel.ico -o Quorvel-0.99-x64.msi "$QUORVEL_WXS")
  msiexec /i "$state/older/Quorvel-0.99-x64.msi" || fail "msiexec /i of the older package"
  expect "the older package's version" 0.99 "$(field ProductVersion "$(programs)")"

  msiexec /i "$QUORVEL_MSI" || fail "msiexec /i exits with status $?"
  check_installed
}

step_run() {
  local exe
  exe="$(wine_out cmd /c echo '%LOCALAPPDATA%')\\Programs\\Quorvel\\Quorvel.exe"
  "$run" "$QUORVEL_DRIVE" calculate "$exe" . || fail "the installed program, driven"
}

step_reinstall() {
  local folder product
  folder="$(local_app_data)/Programs/Quorvel"
  product=$(cat "$state/product")
  rm "$folder/Quorvel.exe"
  msiexec /i "$QUORVEL_MSI" || fail "msiexec /i again exits with status $?"
  cmp "$QUORVEL_EXE" "$folder/Quorvel.exe" || fail "installing again does not repair the program"
  check_programs_and_features 1.00
  expect "the product after installing again" "$product" "$(cat "$state/product")"

  if msiexec /i "$state/older/Quorvel-0.99-x64.msi"; then
    fail "an older package installs over this one"
  elif ! grep -qF "WIX_DOWNGRADE_DETECTED = $product" "$msiexec_log"; then
    fail "the older package fails without having found this newer one"
  fi
  check_programs_and_features 1.00
}

step_uninstall() {
  local product status=0
  product=$(cat "$state/product")
  msiexec /x "$QUORVEL_MSI" || status=$?
  expect "msiexec /x exit status" 0 "$status"
  local listed
  listed=$(programs)
  expect "installed Quorvel products after uninstall" 0 "$(field Products "$listed")"
  expect "uninstall entries after uninstall" 0 "$(field Entries "$listed")"

  snapshot after
  # Left, empty, may be only the two folders every Windows keeps: the user's Programs folder,
  # which other programs share, and Windows Installer's own.
  local left
  left=$(LC_ALL=C comm -13 "$state/before.files" "$state/after.files" |
    grep -Ev '^d drive_c/users/[^/]+/AppData/Local/Programs$|^d drive_c/windows/Installer$' || true)
  [ -z "$left" ] || fail "left after uninstall: $left"
  # Where an installer package writes: Windows Installer's registration and the uninstall
  # entries. Windows Installer's own keys that hold every installed product stay, as they do on
  # Windows; what they held of this product must be gone. (Wine changes other keys on its own.)
  local where='\\Software\\(Wow6432Node\\)?(Classes\\Installer|Microsoft\\Installer|Microsoft\\Windows\\CurrentVersion\\(Installer|Uninstall))(\\|\])'
  local installer='^\[HKEY_LOCAL_MACHINE\\Software\\(Classes\\Installer(\\Features|\\Products|\\UpgradeCodes)?'
  installer+='|Microsoft\\Windows\\CurrentVersion\\Installer\\(UpgradeCodes|UserData(\\S-[0-9-]+(\\Components|\\Products)?)?))\]$'
  local keys
  keys=$(LC_ALL=C comm -13 "$state/before.keys" "$state/after.keys" | grep -E "$where" |
    grep -Ev "$installer" || true)
  [ -z "$keys" ] || fail "registry keys left after uninstall: $keys"
  # Nowhere a key or value that names the product, its program or its codes.
  local names
  names="Quorvel|$product|$(packed_guid "$product")|$(packed_guid "$upgrade_code")"
  names+="|$(packed_guid "$component_code")"
  names=${names//\{/\\\{}
  names=${names//\}/\\\}}
  local mentions
  mentions=$(grep -ihE "$names" "$state/after.HKLM.txt" "$state/after.HKCU.txt" || true)
  [ -z "$mentions" ] || fail "the registry still names Quorvel: $mentions"
}

export WINEPREFIX="$QUORVEL_WINE_DIR/prefix"
case ${1:-} in
  package | install | run | reinstall | uninstall) "step_$1" ;;
  *)
    echo "usage: $0 package|install|run|reinstall|uninstall" >&2
    exit 2
    ;;
esac
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
