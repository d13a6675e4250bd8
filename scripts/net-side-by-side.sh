#!/usr/bin/env bash
# Runs "quorvex-cli bench net" and iperf3 over the same links, alternately (ours, iperf3, ours, ...), one
# TCP stream, each direction for the same time: first over a veth pair between two network namespaces made
# here, tbf holding each direction to RATE, then over the loopback of one of them. Prints each run and the
# median of each figure, with the load average around them. Needs root, iproute2, iperf3 and a built
# quorvex-cli; sends nothing outside the namespaces it makes, which it removes on exit.
#   scripts/net-side-by-side.sh [SECONDS] [ROUNDS] [RATE] [BUILD_DIR]
set -euo pipefail
seconds=${1:-10}
rounds=${2:-3}
rate=${3:-200mbit}
build=${4:-$(cd "$(dirname "$0")/.." && pwd)/build}
cli=$build/bin/quorvex-cli
command -v iperf3 >/dev/null || { echo "iperf3 is not installed (apt-get install iperf3)" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "making network namespaces needs root" >&2; exit 2; }

c=qv-side-$$-c s=qv-side-$$-s
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -INT "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  ip netns delete "$c" 2>/dev/null || true
  ip netns delete "$s" 2>/dev/null || true
}
trap cleanup EXIT
for n in $c $s; do ip netns add "$n"; ip -n "$n" link set lo up; done
ip -n "$c" link add qv0 type veth peer name qv1 netns "$s"
ip -n "$c" address add 10.213.0.1/24 dev qv0
ip -n "$s" address add 10.213.0.2/24 dev qv1
ip -n "$c" link set qv0 up
ip -n "$s" link set qv1 up
tc -n "$c" qdisc add dev qv0 root tbf rate "$rate" burst 64kb latency 50ms
tc -n "$s" qdisc add dev qv1 root tbf rate "$rate" burst 64kb latency 50ms

# Both servers in the server namespace, on all its addresses (its loopback included).
ip netns exec "$s" "$cli" serve --bind 0.0.0.0 >/dev/null 2>&1 & pids+=($!)
ip netns exec "$s" iperf3 -s >/dev/null 2>&1 & pids+=($!)
sleep 1

# "download upload" in Mbit/s, as each tool's receiver counted them.
ours() { # HOST [NETNS]
  ip netns exec "$2" "$cli" bench net "$1" --seconds "$seconds" --json |
    python3 -c 'import json,sys; r=json.loads(sys.stdin.readline()); print("%.1f %.1f" % (r["DownloadMbps"], r["UploadMbps"]))'
}
theirs() { # HOST NETNS
  local down up
  down=$(ip netns exec "$2" iperf3 -c "$1" -t "$seconds" -R -J |
    python3 -c 'import json,sys; print("%.1f" % (json.load(sys.stdin)["end"]["sum_received"]["bits_per_second"] / 1e6))')
  up=$(ip netns exec "$2" iperf3 -c "$1" -t "$seconds" -J |
    python3 -c 'import json,sys; print("%.1f" % (json.load(sys.stdin)["end"]["sum_received"]["bits_per_second"] / 1e6))')
  echo "$down $up"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

compare() { # LABEL HOST NETNS
  local label=$1 runs=()
  echo "== $label, $seconds s per direction, one stream; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
  for round in $(seq "$rounds"); do
    local q i
    q=$(ours "$2" "$3"); i=$(theirs "$2" "$3")
    echo "round $round: quorvex download/upload $q   iperf3 download/upload $i"
    runs+=("$q $i")
  done
  printf '%s\n' "${runs[@]}" > /tmp/qv-side-$$.runs
  for column in 1 2 3 4; do cut -d' ' -f$column /tmp/qv-side-$$.runs | median; done | paste -sd' ' |
    awk '{ printf "median: quorvex %s / %s, iperf3 %s / %s Mbit/s; quorvex/iperf3 %.3f download, %.3f upload\n", $1, $2, $3, $4, $1 / $3, $2 / $4 }'
  rm -f /tmp/qv-side-$$.runs
  echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
}

compare "veth pair, tbf $rate each way" 10.213.0.2 "$c"
compare "loopback (in the server namespace)" 127.0.0.1 "$s"
