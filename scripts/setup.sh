#!/usr/bin/env bash
# Installs the Debian packages that building and running Quorvex need, and the further ones named as
# arguments (the tests and the package name their tools). Safe to run again: it installs only what is
# missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins libqt6multimedia6
  libgl-dev libxcb1-dev libxkbcommon-dev
  libgtest-dev libgmock-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth
  help2man
  iputils-ping iproute2
  libsmbclient-dev
  libpci-dev hwdata
  liburing-dev
  libqt6opengl6-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
