#!/usr/bin/env python3
"""Times Veldrun's start-up harness against the bare Qt window: wall time to the first exposed
frame and peak memory, as medians over several runs. Usage: startup_compare.py HARNESS BARE APPDIR"""
import os
import resource
import statistics
import subprocess
import sys
import time

RUNS = int(os.environ.get("RUNS", "15"))


def measure(cmd, cwd):
    times, peaks = [], []
    for _ in range(RUNS):
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        times.append(time.perf_counter() - start)
        peaks.append(usage.ru_maxrss / 1024.0)
    return statistics.median(times), statistics.median(peaks)


def main():
    harness, bare, appdir = sys.argv[1:4]
    v_time, v_mem = measure([harness], appdir)
    b_time, b_mem = measure([bare], appdir)
    print(f"veldrun start-up: {v_time * 1000:.1f} ms, peak {v_mem:.1f} MiB")
    print(f"bare window:      {b_time * 1000:.1f} ms, peak {b_mem:.1f} MiB")
    print(f"ratio: time {v_time / b_time:.2f} (target <= 1.25), memory {v_mem / b_mem:.2f} (target <= 1.5)")


if __name__ == "__main__":
    main()
