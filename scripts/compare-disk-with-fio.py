#!/usr/bin/env python3
"""Measures the disk benchmark beside fio on one folder, runs alternated (fio, ours, fio, ours, ...), and
prints the median of each of the eight MB/s figures with the verdict: within 15 %, outside, or
inconclusive where fio's own runs spread more than 15 %.

Usage: compare-disk-with-fio.py [--cli PATH] [--folder DIR] [--rounds N] [--size MiB] [--seconds S]
Needs fio. The folder is left as it was found: fio's file is removed, ours never has a name."""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile

# (our figure, fio's rw, block size, queue depth) in the order of the eight figures.
PATTERNS = [
    ("Seq1MQ8Read", "read", "1M", 8), ("Seq1MQ8Write", "write", "1M", 8),
    ("Seq1MQ1Read", "read", "1M", 1), ("Seq1MQ1Write", "write", "1M", 1),
    ("Rnd4KQ32Read", "randread", "4k", 32), ("Rnd4KQ32Write", "randwrite", "4k", 32),
    ("Rnd4KQ1Read", "randread", "4k", 1), ("Rnd4KQ1Write", "randwrite", "4k", 1),
]


# The engine hands the kernel every request that is ready in one submission and takes every completion
# that is there; fio does the same only when asked, otherwise it enters the kernel once per request,
# which at 4 KiB and queue 32 costs a processor-bound machine a third of its rate.
def fio_command(path, rw, bs, depth, size, seconds):
    return ["fio", "--name=qv", f"--filename={path}", f"--size={size}M", f"--rw={rw}", f"--bs={bs}",
            f"--iodepth={depth}", f"--iodepth_batch_submit={depth}", f"--iodepth_batch_complete_max={depth}",
            "--direct=1", "--ioengine=io_uring", "--time_based", f"--runtime={seconds}",
            "--ramp_time=1", "--numjobs=1", "--norandommap", "--randrepeat=0", "--output-format=json"]


# fio's file is written as ours is before any test: space reserved, then 1 MiB direct writes in order. On a
# virtual disk the random-write rate depends on how the file's blocks were first written (fio's own buffered
# layout measured at half the rate of the same test on a directly written file), so both must start alike.
def fio_fill_command(path, size):
    return ["fio", "--name=fill", f"--filename={path}", f"--size={size}M", "--rw=write", "--bs=1M",
            "--direct=1", "--ioengine=psync", "--fallocate=native", "--end_fsync=1", "--output-format=json"]


def fio_round(folder, size, seconds):
    path = os.path.join(folder, "qv-fio.tmp")
    figures = {}
    try:
        subprocess.run(fio_fill_command(path, size), check=True, capture_output=True)
        for name, rw, bs, depth in PATTERNS:
            out = subprocess.run(fio_command(path, rw, bs, depth, size, seconds), check=True,
                                 capture_output=True, text=True).stdout
            job = json.loads(out[out.index("{"):])["jobs"][0]
            figures[name] = job["write" if "write" in rw else "read"]["bw_bytes"] / 1e6
    finally:
        if os.path.exists(path):
            os.remove(path)
    return figures


def our_round(cli, folder, size, seconds):
    out = subprocess.run([cli, "bench", "disk", "--path", folder, "--size", str(size), "--seconds", str(seconds),
                          "--json"], check=True, capture_output=True, text=True).stdout
    line = json.loads(out.splitlines()[0])
    return {name: line[name + "MBs"] for name, *_ in PATTERNS}, line.get("Setup", {})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default=os.path.join(os.path.dirname(__file__), "..", "build", "bin", "quorvex-cli"))
    parser.add_argument("--folder", default=None, help="default: a new folder under /var/tmp, removed afterwards")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--size", type=int, default=1024)
    parser.add_argument("--seconds", type=int, default=5)
    args = parser.parse_args()
    own_folder = args.folder is None
    folder = tempfile.mkdtemp(prefix="qv-disk-", dir="/var/tmp") if own_folder else args.folder
    before = sorted(os.listdir(folder))
    fio_runs, our_runs = [], []
    try:
        for round_number in range(args.rounds):
            print(f"round {round_number + 1}: load {os.getloadavg()[0]:.2f}", file=sys.stderr)
            fio_runs.append(fio_round(folder, args.size, args.seconds))
            ours, setup = our_round(args.cli, folder, args.size, args.seconds)
            our_runs.append(ours)
        left = sorted(os.listdir(folder))
    finally:
        if own_folder:
            os.rmdir(folder)
    print(f"Folder {folder} ({setup.get('FileSystem', '?')} on {setup.get('Device', '?')}, "
          f"{setup.get('Transport', '?')}), method {setup.get('Method', '?')}, direct I/O {setup.get('DirectIo', '?')}")
    print(f"Left in the folder afterwards: {'nothing' if left == before else left}")
    print("| figure | fio runs (MB/s) | fio median | ours runs (MB/s) | ours median | ours / fio | verdict |")
    print("|---|---|---|---|---|---|---|")
    for name, *_ in PATTERNS:
        fio = [run[name] for run in fio_runs]
        ours = [run[name] for run in our_runs]
        fio_median, our_median = statistics.median(fio), statistics.median(ours)
        spread = (max(fio) - min(fio)) / fio_median if fio_median > 0 else float("inf")
        ratio = our_median / fio_median if fio_median > 0 else float("inf")
        verdict = ("inconclusive (fio spreads %.0f %%)" % (100 * spread) if spread > 0.15
                   else "pass" if abs(ratio - 1) <= 0.15 else "fail")
        print(f"| {name}MBs | {', '.join('%.1f' % v for v in fio)} | {fio_median:.1f} | "
              f"{', '.join('%.1f' % v for v in ours)} | {our_median:.1f} | {ratio:.2f} | {verdict} |")
    print("\nfio commands (FILE in the folder, written first, removed after each round):")
    print("    " + " ".join(fio_fill_command("FILE", args.size)))
    for name, rw, bs, depth in PATTERNS:
        print("    " + " ".join(fio_command("FILE", rw, bs, depth, args.size, args.seconds)))


if __name__ == "__main__":
    main()
