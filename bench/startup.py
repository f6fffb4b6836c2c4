#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up of the real program: the time from starting the process to the main window
shown (after the splash's designed 210 ms), and the memory the program holds then.

    bench/startup.py build/release/ui/trelvane [runs]

Runs offscreen unless a display is named in QT_QPA_PLATFORM."""
import os
import re
import statistics
import subprocess
import sys
import time


def one_run(program):
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    env["QT_LOGGING_RULES"] = "trelvane.startup.info=true"
    start = time.monotonic()
    process = subprocess.Popen([program], env=env, stderr=subprocess.PIPE, text=True)
    try:
        for line in process.stderr:
            found = re.search(r"main window shown; resident (-?\d+) KiB", line)
            if found:
                return (time.monotonic() - start) * 1000, int(found.group(1)) / 1024
        raise RuntimeError("the program ended without showing its main window")
    finally:
        process.kill()
        process.wait()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    one_run(sys.argv[1])  # warms the file cache
    times, memory = zip(*(one_run(sys.argv[1]) for _ in range(runs)))
    print(f"main window shown after {statistics.median(times):.0f} ms "
          f"(median of {runs}; min {min(times):.0f}, max {max(times):.0f}); "
          f"the splash is designed to take 210 ms")
    print(f"resident memory then: {statistics.median(memory):.1f} MiB (median)")


if __name__ == "__main__":
    main()
