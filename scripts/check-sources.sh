#!/usr/bin/env bash
# Checks the project's own sources: the layout of every C++ file against .clang-format, then the
# checks of .clang-tidy on every source file outside the tests (and the project headers they include),
# with the compile commands of a built tree (default: build/). Any finding fails the check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cd "$root"

mapfile -t files < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files follow .clang-format"

mapfile -t sources < <(git ls-files '*.cpp' ':!:tests/*')
log=$(mktemp)
commands=$(mktemp -d)
trap 'rm -rf "$log" "$commands"' EXIT
# The compiler's precompiled headers are its own format, which clang-tidy cannot read: it is given the
# same commands without them (and without the GCC-only warning options that go with them), and so also
# sees any include a source forgot.
sed -E -e 's# -Winvalid-pch -include [^ "]*/cmake_pch\.hxx##g' \
  -e 's# -Wno-(array-bounds|stringop-overflow|stringop-overread|restrict)##g' \
  "$build/compile_commands.json" >"$commands/compile_commands.json"
status=0
printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy-22 -p "$commands" --quiet \
    --header-filter="^$root/(app|bench|cpu|forms|hardware|libs|net|platform|results|stress|sysinfo|tools|widgets)/" \
    >"$log" 2>&1 || status=$?
# clang-tidy counts the warnings it suppressed in system headers; only the findings are of interest.
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' "$log" || true
[[ $status -eq 0 ]] && echo "clang-tidy: ${#sources[@]} sources, no finding"
exit "$status"
