#!/usr/bin/env python3
"""Times Veldrun's start-up harness against the bare Qt window: wall time to the first exposed
frame and peak memory, as medians over several runs. Usage: startup_compare.py HARNESS BARE APPDIR

The two programs take turns, so that whatever else the machine is doing weighs on both alike,
and each runs once unmeasured first, so that both start from warm file caches."""
import os
import statistics
import subprocess
import sys
import time

RUNS = int(os.environ.get("RUNS", "15"))


def run(cmd, cwd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{cmd[0]} ended with status {status}")
    return elapsed, usage.ru_maxrss / 1024.0


def main():
    harness, bare, appdir = sys.argv[1:4]
    programs = {"veldrun": [harness], "bare": [bare]}
    for cmd in programs.values():
        run(cmd, appdir)
    times = {name: [] for name in programs}
    peaks = {name: [] for name in programs}
    for _ in range(RUNS):
        for name, cmd in programs.items():
            elapsed, peak = run(cmd, appdir)
            times[name].append(elapsed)
            peaks[name].append(peak)
    v_time, v_mem = statistics.median(times["veldrun"]), statistics.median(peaks["veldrun"])
    b_time, b_mem = statistics.median(times["bare"]), statistics.median(peaks["bare"])
    print(f"veldrun start-up: {v_time * 1000:.1f} ms, peak {v_mem:.1f} MiB")
    print(f"bare window:      {b_time * 1000:.1f} ms, peak {b_mem:.1f} MiB")
    print(f"ratio: time {v_time / b_time:.2f} (target <= 1.25), memory {v_mem / b_mem:.2f} (target <= 1.5)")


if __name__ == "__main__":
    main()
