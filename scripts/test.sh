#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first the normal build, the format check and the
# static analysis, then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer (less
# the tests labelled "system", which drive the machine itself). `--quick` skips the sanitizer run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# The installed-tree and package checks validate with these; the neighbourhood tests run Samba servers of
# their own, in network namespaces. The SMBIOS reader is checked against dmidecode's reading of the same
# tables. The disk benchmark's tests format a small ext4 image.
samba_was_installed=false
dpkg-query -W -f='${Status}' samba 2>/dev/null | grep -q "install ok installed" && samba_was_installed=true
"$root/scripts/setup.sh" desktop-file-utils appstream dpkg-dev lintian samba smbclient clang clang-tidy-22 e2fsprogs \
  dmidecode openssl

# A samba package installed just now starts its services where it can: stop them again, so that nothing
# answers on this machine's network for the tests. A Samba the machine already had is left alone.
if [[ $samba_was_installed == false ]]; then
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  for service in smbd nmbd samba-ad-dc; do
    if [[ -d /run/systemd/system ]] && command -v systemctl >/dev/null; then
      "${sudo[@]}" systemctl disable --now "$service" >/dev/null 2>&1 || true
    elif command -v service >/dev/null; then
      "${sudo[@]}" service "$service" stop >/dev/null 2>&1 || true
    fi
  done
fi

presets=(default asan)
[[ ${1:-} == --quick ]] && presets=(default)

export QT_QPA_PLATFORM=offscreen
for preset in "${presets[@]}"; do
  echo "=== $preset: build"
  "$root/scripts/build.sh" "$preset"
  if [[ $preset == default ]]; then
    echo "=== sources: format and static analysis"
    "$root/scripts/check-sources.sh" "$root/build"
  fi
  echo "=== $preset: tests"
  ctest --preset "$preset"
done
