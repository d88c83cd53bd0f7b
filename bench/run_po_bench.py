#!/usr/bin/env python3
"""Speed and memory of corvel-check on a generated gettext catalogue.

Usage: bench/run_po_bench.py [--build DIR] [--entries N] [--runs N]

Generates a catalogue of N entries with bench/gen_po.py, warms the page
cache and times `corvel-check --format json` on it (every rule on by
default, the report to /dev/null) and the same with
inconsistent-translation off: the median wall and CPU time of --runs runs,
and the peak resident size of one more run from GNU time. The side-by-side
with other checkers is not run here.
"""
import argparse
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run_once(cmd):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if proc.returncode not in (0, 1):
        raise SystemExit(f"{' '.join(cmd)} failed with status {proc.returncode}")
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime), wall


def peak_mb(cmd):
    proc = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True)
    return int(proc.stderr.strip().splitlines()[-1]) / 1024


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--entries", type=int, default=1_000_000)
    ap.add_argument("--runs", type=int, default=5)
    a = ap.parse_args()
    check = os.path.join(a.build, "cli", "corvel-check")
    with tempfile.TemporaryDirectory() as work:
        po = os.path.join(work, "big.po")
        subprocess.run([sys.executable, os.path.join(HERE, "gen_po.py"), po,
                        "--entries", str(a.entries)], check=True)
        size = os.path.getsize(po) / 1e6
        with open(po, "rb") as f:
            while f.read(1 << 20):
                pass
        print(f"{a.entries} entries, {size:.1f} MB")
        for label, extra in (("every rule", []),
                             ("without inconsistent-translation",
                              ["--disable", "inconsistent-translation"])):
            cmd = [check, "--format", "json"] + extra + [po]
            times = [run_once(cmd) for _ in range(a.runs)]
            cpu = statistics.median(t[0] for t in times)
            wall = statistics.median(t[1] for t in times)
            print(f"| {label} | {wall:.2f} s | {cpu:.2f} s | {size / wall:.0f} MB/s | "
                  f"{peak_mb(cmd):.1f} MB |")


if __name__ == "__main__":
    main()
