#!/usr/bin/env python3
"""Times Veldrun's start-up harness against the bare Qt window: wall time to the first exposed
frame (each program prints the moment on the monotonic clock), wall time until the program has
ended, and peak memory, as medians over several runs. Usage: startup_compare.py HARNESS BARE APPDIR

The two programs take turns, so that whatever else the machine is doing weighs on both alike,
and each runs once unmeasured first, so that both start from warm file caches."""
import os
import statistics
import subprocess
import sys
import time

RUNS = int(os.environ.get("RUNS", "15"))


def run(cmd, cwd):
    start = time.monotonic_ns()
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode(errors="replace")
    _, status, usage = os.wait4(proc.pid, 0)
    ended = (time.monotonic_ns() - start) / 1e9
    if status != 0:
        sys.exit(f"{cmd[0]} ended with status {status}")
    frames = [int(line.split()[2]) for line in out.splitlines() if line.startswith("first frame ")]
    if not frames:
        sys.exit(f"{cmd[0]} told no first frame")
    return (frames[0] - start) / 1e9, ended, usage.ru_maxrss / 1024.0


def main():
    harness, bare, appdir = sys.argv[1:4]
    programs = {"veldrun": [harness], "bare": [bare]}
    for cmd in programs.values():
        run(cmd, appdir)
    samples = {name: ([], [], []) for name in programs}
    for _ in range(RUNS):
        for name, cmd in programs.items():
            for column, value in zip(samples[name], run(cmd, appdir)):
                column.append(value)
    (v_frame, v_end, v_mem), (b_frame, b_end, b_mem) = (
        [statistics.median(column) for column in samples[name]] for name in programs)
    print(f"veldrun: first frame {v_frame * 1000:.1f} ms, ended {v_end * 1000:.1f} ms, peak {v_mem:.1f} MiB")
    print(f"bare:    first frame {b_frame * 1000:.1f} ms, ended {b_end * 1000:.1f} ms, peak {b_mem:.1f} MiB")
    print(f"ratio: first frame {v_frame / b_frame:.2f} (target <= 1.25), ended {v_end / b_end:.2f},"
          f" memory {v_mem / b_mem:.2f} (target <= 1.25)")


if __name__ == "__main__":
    main()
