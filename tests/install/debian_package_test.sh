#!/bin/sh
# Builds the Debian package from the build tree into a scratch folder and checks it with lintian.
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cd "$build"
cpack -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/quorvex_*.deb)
lintian --fail-on error "$deb"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || { echo "FAILED: no computed dependencies" >&2; exit 1; }
echo "1 passed, 0 failed"
