#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first the normal build, the format check and the
# static analysis, then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer (less
# the tests labelled "system", which drive the machine itself). `--quick` skips the sanitizer run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# The installed-tree and package checks validate with these; the neighbourhood tests run Samba servers of
# their own, in network namespaces. The SMBIOS reader is checked against dmidecode's reading of the same
# tables, monitors' EDID blocks against edid-decode's reading. The disk benchmark's tests format a small ext4 image.
# The report window's PDF is read back with pdftotext.
# The display benchmarks draw on an Xvfb of their own (Mesa draws its OpenGL); glmark2 is their 3D peer.
samba_was_installed=false
dpkg-query -W -f='${Status}' samba 2>/dev/null | grep -q "install ok installed" && samba_was_installed=true
"$root/scripts/setup.sh" desktop-file-utils appstream dpkg-dev lintian samba smbclient clang clang-tidy-22 e2fsprogs \
  dmidecode poppler-utils edid-decode pciutils xvfb libgl1-mesa-dri glmark2-x11 openssl

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

# Each phase's heading gives the seconds since the start, so a slow run shows where its time went.
phase() { echo "=== $1 (at ${SECONDS} s)"; }

export QT_QPA_PLATFORM=offscreen
for preset in "${presets[@]}"; do
  phase "$preset: build"
  "$root/scripts/build.sh" "$preset"
  if [[ $preset == default ]]; then
    phase "sources: format and static analysis"
    "$root/scripts/check-sources.sh" "$root/build"
  fi
  phase "$preset: tests"
  ctest --preset "$preset"
done
phase "done"
