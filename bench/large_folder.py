#!/usr/bin/env python3
"""Times Veldrun's whole start-up (the music's start included) until the window is shown and idle,
in a copy of the application directory without ROMs and in one that holds 50,000 ROM files, which
the file browser lists at start; prints the medians and their difference.
Usage: large_folder.py HARNESS APPDIR [HARNESS ...]

The runs take turns, so that whatever else the machine is doing weighs on both alike."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = int(os.environ.get("RUNS", "9"))
FILES = int(os.environ.get("FILES", "50000"))


def run(cmd, cwd):
    start = time.monotonic_ns()
    env = dict(os.environ, VELDRUN_UNTIL_IDLE="1")
    out = subprocess.run(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                         check=True).stdout.decode(errors="replace")
    idle = [int(line.split()[1]) for line in out.splitlines() if line.startswith("idle ")]
    if not idle:
        sys.exit(f"{cmd[0]} told no idle moment")
    return (idle[0] - start) / 1e6


def main():
    harnesses, appdir = sys.argv[1:2] + sys.argv[3:], sys.argv[2]
    with tempfile.TemporaryDirectory() as tmp:
        dirs = {"empty": os.path.join(tmp, "empty"), "full": os.path.join(tmp, "full")}
        for d in dirs.values():
            shutil.copytree(appdir, d, symlinks=True)
        for i in range(FILES):
            open(os.path.join(dirs["full"], f"Game {(i * 7919) % FILES:05d} (Japan) [a{i % 3}].rom"), "w").close()
        for harness in harnesses:
            cmd = [os.path.abspath(harness)]
            for d in dirs.values():
                run(cmd, d)
            samples = {name: [] for name in dirs}
            for _ in range(RUNS):
                for name, d in dirs.items():
                    samples[name].append(run(cmd, d))
            empty, full = (statistics.median(samples[name]) for name in dirs)
            print(f"{harness}: shown and idle, no ROMs {empty:.0f} ms, {FILES} ROMs {full:.0f} ms,"
                  f" difference {full - empty:.0f} ms (target <= 250)")


if __name__ == "__main__":
    main()
