#!/bin/sh
# Started from the desktop menu: the program runs in the user's data folder, which keeps its
# start-up preference, and a new user meets the tip of the day. The sound cue and the help come from
# the program's own data folder.
set -eu
if [ -n "${XDG_DATA_HOME:-}" ]; then
    data=$XDG_DATA_HOME/quorvex
elif [ -n "${HOME:-}" ]; then
    data=$HOME/.local/share/quorvex
else
    echo "quorvex: neither XDG_DATA_HOME nor HOME is set, so there is no data folder to run in" >&2
    exit 1
fi
mkdir -p "$data"
[ -e "$data/QUORVEX.CFG" ] || printf 'ConseilAuDemarrage=OUI;\r\n' >"$data/QUORVEX.CFG"
here=$(dirname "$(readlink -f "$0")")
cd "$data"
exec "$here/@QV_LAUNCHER_TO_BIN@/quorvex" "$@"
