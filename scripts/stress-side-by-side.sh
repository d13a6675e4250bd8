#!/usr/bin/env bash
# Runs "quorvex-cli stress" and "stress-ng --cpu 0 --verify" for the same time, one after the other, and
# measures both the same way: the busy share of each processor from /proc/stat over the run, and the
# share of the machine the tool's own processes got (their user + system time). Run it
# on an idle machine for figures that describe the tools rather than the neighbours.
#   scripts/stress-side-by-side.sh [SECONDS] [MEMORY_MIB] [BUILD_DIR]
set -euo pipefail
seconds=${1:-20}
memory=${2:-256}
build=${3:-$(cd "$(dirname "$0")/.." && pwd)/build}
cli=$build/bin/quorvex-cli
command -v stress-ng >/dev/null || { echo "stress-ng is not installed (apt-get install stress-ng)" >&2; exit 2; }
processors=$(nproc)

# "cpuN busy total" for every processor line of /proc/stat; busy is everything but idle and iowait.
per_cpu() {
  awk '/^cpu[0-9]/ { busy = $2 + $3 + $4 + $7 + $8 + $9; print $1, busy, busy + $5 + $6 }' /proc/stat
}

# Runs a command, prints each processor's busy share over its run and its processes' own share.
measure() {
  local label=$1
  shift
  local before after status
  echo "== $label: $*"
  echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
  before=$(per_cpu)
  local out=/tmp/stress-side-by-side.$$.out times=/tmp/stress-side-by-side.$$.times
  # bash's own timing counts the user and system time of the command and every process it waited for.
  local TIMEFORMAT='%R %U %S'
  { time "$@" >"$out" 2>&1; } 2>"$times" && status=0 || status=$?
  after=$(per_cpu)
  join <(echo "$before") <(echo "$after") |
    awk '{ printf "%s busy %.1f %%\n", $1, 100 * ($4 - $2) / ($5 - $3) }'
  awk -v n="$processors" '{ printf "own processes: %.1f %% of %d processors over %.1f s\n", 100 * ($2 + $3) / $1 / n, n, $1 }' "$times"
  echo "exit status $status; last lines of its output:"
  tail -n 4 "$out"
  rm -f "$out" "$times"
}

measure "nothing of ours (the neighbours' load)" sleep "$seconds"
measure quorvex "$cli" stress --duration "$seconds" --memory "$memory" --json
measure stress-ng stress-ng --cpu 0 --verify --timeout "${seconds}s" --metrics-brief
