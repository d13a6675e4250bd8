#!/usr/bin/env python3
"""Measures the display benchmarks on an Xvfb of their own (Mesa's software OpenGL): three runs in a row of
each (`bench 2d|3d --repeat 3`), their indices' spread, and glmark2's model scene beside our lit model on
the same server and renderer, with the load average before each figure.

Usage: measure-display-benchmarks.py [--cli PATH] [--seconds S]
Needs Xvfb and, for the side by side, glmark2 (Debian glmark2-x11). Only the Xvfb it started is ended."""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys


def start_xvfb():
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten",
                               "tcp", "-noreset"], pass_fds=(write,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            break
        number += chunk
    os.close(read)
    if not number.strip():
        server.terminate()
        sys.exit("Xvfb gave no display number")
    return server, ":" + number.decode().strip()


def load():
    with open("/proc/loadavg") as loadavg:
        return " ".join(loadavg.read().split()[:3])


def ours(cli, kind, seconds, env):
    command = [cli, "bench", kind, "--repeat", "3"] + (["--seconds", str(seconds)] if seconds else []) + ["--json"]
    print(f"load {load()}: {' '.join(command)}", flush=True)
    out = subprocess.run(command, env=env,
                         check=True, capture_output=True, text=True).stdout
    lines = [json.loads(line) for line in out.splitlines() if line.startswith("{")]
    return [line for line in lines if "Run" in line], lines[-1]


def glmark2_model(env):
    command = ["glmark2", "-s", "800x600", "-b", "build:model=horse:use-vbo=true:duration=10", "--debug"]
    print(f"load {load()}: {' '.join(command)}", flush=True)
    out = subprocess.run(command, env=env, check=True, capture_output=True, text=True).stdout
    faces = sum(int(count) for count in re.findall(r"Face count: (\d+)", out))
    fps = float(re.search(r"FPS: (\d+(?:\.\d+)?)", out).group(1))
    renderer = re.search(r"GL_RENDERER:\s+(.*)", out).group(1).strip()
    return faces, fps, renderer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default=os.path.join(os.path.dirname(__file__), "..", "build", "bin",
                                                      "quorvex-cli"))
    parser.add_argument("--seconds", type=int, default=None, help="per test (default: the benchmarks' own)")
    args = parser.parse_args()
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    try:
        print(f"Xvfb on {display}, 1280x1024x24, {os.cpu_count()} processors")
        for kind, index in (("2d", "Display2DIndex"), ("3d", "Display3DIndex")):
            runs, summary = ours(args.cli, kind, args.seconds, env)
            values = [run[index] for run in runs]
            spread = (max(values) - min(values)) / min(values) * 100 if min(values) > 0 else float("inf")
            print(f"{kind}: {index} {values}, spread {spread:.1f} %, load after {load()}")
            print(f"{kind} medians: " + ", ".join(f"{key} {value}" for key, value in summary.items()
                                                  if key not in ("Summary", "Reliable", "Warnings")))
            if kind == "3d":
                print(f"3d setup: {runs[0].get('Setup', {})}")
                model = summary["ModelTrianglesPerSecond"]
        if shutil.which("glmark2"):
            faces, fps, renderer = glmark2_model(env)
            print(f"glmark2 build (horse): {faces} triangles x {fps} FPS = {faces * fps:.0f} triangles/s "
                  f"on {renderer}; ours (lit model): {model:.0f} triangles/s; ours / glmark2 "
                  f"{model / (faces * fps):.2f}; load after {load()}")
        else:
            print("glmark2 is not installed (Debian glmark2-x11): no side by side")
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
