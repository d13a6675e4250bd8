#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: first the normal build, then the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer. `--quick` skips the sanitizer run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# The installed-tree and package checks validate with these.
"$root/scripts/setup.sh" desktop-file-utils appstream dpkg-dev lintian

presets=(default asan)
[[ ${1:-} == --quick ]] && presets=(default)

export QT_QPA_PLATFORM=offscreen
for preset in "${presets[@]}"; do
  echo "=== $preset: build"
  "$root/scripts/build.sh" "$preset"
  echo "=== $preset: tests"
  ctest --preset "$preset"
done
