#!/usr/bin/env bash
# Builds the Debian package build/quorvex_<version>_<arch>.deb and checks it with lintian.
# Install it with `sudo apt install ./build/quorvex_*.deb`, remove it with `sudo apt remove quorvex`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" dpkg-dev lintian
"$root/scripts/build.sh" default
cd "$root/build"
rm -f quorvex_*.deb
cpack -G DEB >/dev/null
deb=$(ls quorvex_*.deb)
lintian --fail-on error "$deb"
echo "$root/build/$deb"
