#!/usr/bin/env python3
"""Speed of the report against a plain check, on a generated dictionary.

Usage: bench/run_report_bench.py [--build DIR] [--lines N] [--runs N] [--kind report|plain]

Generates a line-pair and an equals-line dictionary of N lines with
gen-dictionary (kind "report": translations that belong to their sources,
about 1% of the pairs with a fault of the report's rules; kind "plain": the
check benchmark's dictionary, whose translations carry no number and vary
at random, so nearly every pair is a finding), warms the page cache and
times, as median CPU time (user + system) and wall time of --runs runs (and
the peak resident size of one more run, from GNU time):
  - corvel-check in check mode (a plain check),
  - report-bench with no rule on (reading the lines, the analyser's frame),
  - the check log's classes only,
  - every rule but inconsistent-translation,
  - every rule, findings counted,
  - every rule, the JSON report written to a file,
  - corvel-check --format json: the check and its report in one call (every
    rule on by default; the report to /dev/null),
  - the same with only the check log's classes enabled.
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import tempfile
import time

PAIR_RULES = ("placeholder-mismatch,fullwidth-placeholder,whitespace-mismatch,"
              "number-mismatch,inconsistent-translation,pair-shift")
CLASSES = "empty-line,untranslated,source-has-chinese,missing-equals"


def run_once(cmd):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if proc.returncode not in (0, 1):
        raise SystemExit(f"{' '.join(cmd)} failed with status {proc.returncode}")
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall


def peak_mb(cmd, work):
    """The peak resident size of one more run, from GNU time."""
    out = os.path.join(work, "peak.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out, *cmd],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(out) as f:
        return int(f.read().split()[-1]) / 1024


def measure(cmd, runs):
    results = [run_once(cmd) for _ in range(runs)]
    return statistics.median(r[0] for r in results), statistics.median(r[1] for r in results)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--lines", type=int, default=2_000_000)
    ap.add_argument("--runs", type=int, default=7)
    ap.add_argument("--kind", choices=("report", "plain"), default="report")
    args = ap.parse_args()

    gen = os.path.join(args.build, "bench", "gen-dictionary")
    bench = os.path.join(args.build, "bench", "report-bench")
    check = os.path.join(args.build, "cli", "corvel-check")
    work = tempfile.mkdtemp(prefix="corvel-report-bench-")
    try:
        for layout, name, extra in (("pairs", "pairs.txt", ["--no-error-stop"]),
                                    ("equals", "equals.DAT", ["--equals"])):
            path = os.path.join(work, name)
            gen_cmd = [gen, layout, str(args.lines), path] + (["report"] if args.kind == "report" else [])
            subprocess.run(gen_cmd, check=True)
            with open(path, "rb") as f:
                while f.read(1 << 20):
                    pass
            out = os.path.join(work, "out")
            rows = [
                ("plain check", [check, "-q", "--workdir", work, *extra, path]),
                ("report: no rule", [bench, layout, path, "count", os.devnull, "--disable",
                                     PAIR_RULES + "," + CLASSES]),
                ("report: classes only", [bench, layout, path, "count", os.devnull, "--disable",
                                          PAIR_RULES]),
                ("report: all but consistency", [bench, layout, path, "count", os.devnull,
                                                 "--disable", "inconsistent-translation"]),
                ("report: every rule", [bench, layout, path, "count"]),
                ("report: every rule, JSON", [bench, layout, path, "json", out]),
                ("corvel-check --format json", [check, "-q", "--workdir", work, *extra, "--format", "json", path]),
                ("corvel-check json, classes", [check, "-q", "--workdir", work, *extra, "--format", "json", "--enable",
                                                CLASSES, path]),
            ]
            size = os.path.getsize(path) / 1e6
            print(f"{layout}: {args.lines} lines, {size:.1f} MB ({args.kind} kind)")
            base = None
            for label, cmd in rows:
                cpu, wall = measure(cmd, args.runs)
                base = base or cpu
                print(f"  {label:<30} {cpu * 1e3:7.1f} ms CPU {wall * 1e3:7.1f} ms wall  {cpu / base:5.1f}x"
                      f"  {peak_mb(cmd, work):6.1f} MB peak")
            shutil.rmtree(os.path.join(work, name.split(".")[0]), ignore_errors=True)
            os.remove(path)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
