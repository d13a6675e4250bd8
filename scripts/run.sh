#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the user's data folder, which holds
# the sound cue and the start-up preference.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Decided before anything is installed or built: without XDG_DATA_HOME or HOME there is no data folder,
# and an empty HOME would otherwise put it under the file-system root.
if [[ -n ${XDG_DATA_HOME:-} ]]; then
    data=$XDG_DATA_HOME/quorvex
elif [[ -n ${HOME:-} ]]; then
    data=$HOME/.local/share/quorvex
else
    echo "run.sh: neither XDG_DATA_HOME nor HOME is set, so there is no data folder to run in" >&2
    exit 1
fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh" default

mkdir -p "$data"
# The folder may be read-only once it holds the sound: copy only when it is missing or different.
sound=$root/build/share/quorvex/QUORVEX.001
cmp -s "$sound" "$data/QUORVEX.001" || cp -f "$sound" "$data/QUORVEX.001"
# A new user meets the tip of the day; afterwards the program keeps the preference itself.
[[ -e "$data/QUORVEX.CFG" ]] || printf 'ConseilAuDemarrage=OUI;\r\n' >"$data/QUORVEX.CFG"

cd "$data"
exec "$root/build/bin/quorvex" "$@"
