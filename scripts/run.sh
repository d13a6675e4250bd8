#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the user's data folder, which holds
# the sound cue and the start-up preference.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" default

data=${XDG_DATA_HOME:-$HOME/.local/share}/quorvex
mkdir -p "$data"
cp -f "$root/build/share/quorvex/QUORVEX.001" "$data/QUORVEX.001"
# A new user meets the tip of the day; afterwards the program keeps the preference itself.
[[ -e "$data/QUORVEX.CFG" ]] || printf 'ConseilAuDemarrage=OUI;\r\n' >"$data/QUORVEX.CFG"

cd "$data"
exec "$root/build/bin/quorvex" "$@"
