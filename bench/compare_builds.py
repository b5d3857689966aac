#!/usr/bin/env python3
"""Two builds of lwall side by side, on a machine shared with other work: the two programs run in
turn (A B, B A, ...), so that whatever else loads the machine weighs on both alike, and the median
wall-clock and CPU time of each are printed, for the start-up (--version), the two example walls and
the large wall. Prints; never fails on the figures.
Usage: compare_builds.py OLD_LWALL NEW_LWALL [runs]"""
import pathlib
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
old, new = (str(pathlib.Path(p).resolve()) for p in sys.argv[1:3])
runs = int(sys.argv[3]) if len(sys.argv) > 3 else 300


def timed(exe, folder, args):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run([exe] + args, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime


with tempfile.TemporaryDirectory() as tmp:
    cases = [("start-up", "examples/level", ["--version"]), ("level", "examples/level", []),
             ("sloped", "examples/sloped", []), ("large", "bench/large", [])]
    print(f"{'case':<10} {'old wall':>10} {'new wall':>10} {'change':>8} {'old cpu':>10} {'new cpu':>10}")
    for name, source, args in cases:
        folder = pathlib.Path(tmp) / name
        folder.mkdir()
        for f in ("PlenkL.dat", "GasouL.dat"):
            shutil.copy(ROOT / source / f, folder)
        times = {old: [], new: []}
        for i in range(runs):
            for exe in (old, new) if i % 2 == 0 else (new, old):
                times[exe].append(timed(exe, folder, args))
        wall = {exe: statistics.median(t[0] for t in times[exe]) * 1000 for exe in times}
        cpu = {exe: statistics.median(t[1] for t in times[exe]) * 1000 for exe in times}
        print(f"{name:<10} {wall[old]:7.2f} ms {wall[new]:7.2f} ms {100 * (wall[new] / wall[old] - 1):+7.1f}% "
              f"{cpu[old]:7.2f} ms {cpu[new]:7.2f} ms")
print(f"median of {runs} runs each, the two programs in turn")
