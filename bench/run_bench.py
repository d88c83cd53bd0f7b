#!/usr/bin/env python3
"""Throughput and memory of corvel-check on generated dictionaries.

Usage: bench/run_bench.py [--build DIR] [--lines N] [--runs N] [--big-gb G]
       bench/run_bench.py --jobs [--build DIR] [--runs N] [--dictionaries N]
                          [--dictionary-lines N]
       bench/run_bench.py --startup [--build DIR] [--runs N] [--compare DIR]

Generates a line-pair and an equals-line dictionary of N lines (about 1% of
them flagged), warms the page cache, and times, in the same run:
  wc -l, corvel-check in check mode, corvel-check in correct mode
(median of --runs runs each, the output folder removed and the file system
synced before every run).
With --big-gb it also times wc -l and check and correct mode on a dictionary
of that many GB in each layout and reports the peak resident size, to show
that memory does not grow with the dictionary. With --long-line-gib it times
a dictionary of one line that long, flagged, in check and correct mode, from
the file and through a pipe, against ordinary line pairs of that size.

With --encoding-auto it instead times a plain check of the line-pair
dictionary against the same check with --encoding auto, in processor time
(user + system of the process, so that waiting for a shared machine does not
count), the runs of the two taken in turn.

With --jobs it instead times one corvel-check call on many small line-pair
dictionaries, each in a folder of its own and all of one name, with -j 1 and
-j 2 in check and in correct mode (median of --runs runs each, the runs of
the four kinds interleaved), and makes sure that -j 2 wrote exactly the
files and printed exactly the lines of -j 1.

With --startup it instead times the process start on an empty dictionary:
wc -l, corvel-check --version, a whole check run into a fresh output folder
and one that overwrites the log of the run before, the kinds taking turns;
median wall time and processor time (user + system) of --runs runs each;
--compare times another build's corvel-check in the same turns.
"""
import argparse
import hashlib
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def check_options(extra):
    """Check mode without the serious-error stop, which only line pairs have."""
    return extra if "--equals" in extra else ["--no-error-stop", *extra]


def run_once(cmd, feed=None):
    """Runs cmd; returns (seconds, peak resident KB). With feed, the file of
    that name reaches cmd's standard input through a pipe from cat, as
    `cat feed | cmd` (the time includes cat; the memory is cmd's alone).

    GNU time reports the peak resident size of the command alone (a child
    forked from this script would count the interpreter's pages too)."""
    with tempfile.NamedTemporaryFile("r") as rss_file:
        start = time.perf_counter()
        cat = subprocess.Popen(["cat", feed], stdout=subprocess.PIPE) if feed else None
        proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss_file.name, *cmd],
                              stdin=cat.stdout if cat else None,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if cat:
            cat.stdout.close()
            cat.wait()
        elapsed = time.perf_counter() - start
        if proc.returncode not in (0, 1):
            sys.exit(f"{' '.join(cmd)} failed with status {proc.returncode}")
        return elapsed, int(rss_file.read().split()[-1])


def measure(cmd, runs, before=None, feed=None):
    times, rss = [], 0
    for _ in range(runs):
        if before:
            before()
        t, r = run_once(cmd, feed)
        times.append(t)
        rss = max(rss, r)
    return statistics.median(times), rss


def cpu_once(cmd, before):
    """Runs cmd after before(); returns its processor time in seconds."""
    before()
    start = resource.getrusage(resource.RUSAGE_CHILDREN)
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    end = resource.getrusage(resource.RUSAGE_CHILDREN)
    if proc.returncode not in (0, 1):
        sys.exit(f"{' '.join(cmd)} failed with status {proc.returncode}")
    return (end.ru_utime - start.ru_utime) + (end.ru_stime - start.ru_stime)


def encoding_auto_bench(args, gen, check):
    work = tempfile.mkdtemp(prefix="corvel-auto-")
    try:
        path = os.path.join(work, "pairs.txt")
        subprocess.run([gen, "pairs", str(args.lines), path], check=True)
        out = os.path.join(work, "pairs")
        def clear():
            shutil.rmtree(out, ignore_errors=True)
            os.sync()
        plain_cmd = [check, "-q", "--no-error-stop", path]
        auto_cmd = [check, "-q", "--no-error-stop", "--encoding", "auto", path]
        plain, auto = [], []
        for _ in range(args.runs):
            plain.append(cpu_once(plain_cmd, clear))
            auto.append(cpu_once(auto_cmd, clear))
        p, a = statistics.median(plain), statistics.median(auto)
        print(f"{args.lines} line pairs: plain check {p*1e3:.1f} ms CPU, --encoding auto "
              f"{a*1e3:.1f} ms CPU, {100*(a/p-1):+.1f}% (median of {args.runs} each)")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def outputs(work, names):
    """The bytes of every file in the output folders, by path, as digests."""
    digests = {}
    for name in names:
        folder = os.path.join(work, name, "dict")
        for entry in sorted(os.listdir(folder)):
            with open(os.path.join(folder, entry), "rb") as f:
                digests[os.path.join(name, "dict", entry)] = hashlib.sha256(f.read()).hexdigest()
    return digests


def jobs_bench(args, gen, check):
    work = tempfile.mkdtemp(prefix="corvel-jobs-")
    try:
        names = [f"d{i:03}" for i in range(args.dictionaries)]
        paths = []
        for i, name in enumerate(names):
            os.mkdir(os.path.join(work, name))
            path = os.path.join(work, name, "dict.txt")
            # Lengths differ a little so that no two dictionaries are alike.
            subprocess.run([gen, "pairs", str(args.dictionary_lines + 2 * i), path], check=True)
            paths.append(path)
        size = sum(os.path.getsize(p) for p in paths)
        for path in paths:  # warm the cache
            with open(path, "rb") as f:
                f.read()

        def clear():
            for name in names:
                shutil.rmtree(os.path.join(work, name, "dict"), ignore_errors=True)
            os.sync()

        kinds = [(mode, jobs) for mode in ("check", "correct") for jobs in ("1", "2")]
        times = {kind: [] for kind in kinds}
        seen = {}
        for _ in range(args.runs):
            for mode, jobs in kinds:
                clear()
                extra = ["--no-error-stop"] if mode == "check" else ["--correct"]
                cmd = [check, "-j", jobs, "--time", "2002-05-30 14:05:09", *extra, *paths]
                start = time.perf_counter()
                proc = subprocess.run(cmd, capture_output=True)
                times[(mode, jobs)].append(time.perf_counter() - start)
                if proc.returncode not in (0, 1):
                    sys.exit(f"corvel-check -j {jobs} failed with status {proc.returncode}")
                result = (proc.stdout, proc.stderr, outputs(work, names))
                if seen.setdefault((mode, jobs), result) != result:
                    sys.exit(f"corvel-check -j {jobs} ({mode}) gave different results between runs")
        for mode in ("check", "correct"):
            if seen[(mode, "1")] != seen[(mode, "2")]:
                sys.exit(f"corvel-check -j 2 and -j 1 differ in {mode} mode")
            files = len(seen[(mode, "1")][2])
            print(f"{mode:<8} -j 2 wrote the same {files} files and {len(paths)} summary lines as -j 1")
        print(f"{len(paths)} dictionaries, {args.dictionary_lines}+ lines each, {size/1e6:.1f} MB in all;"
              f" os.cpu_count() = {os.cpu_count()}")
        print(f"{'mode':<8} {'-j 1':>10} {'-j 2':>10}  speed-up   (median of {args.runs} runs)")
        for mode in ("check", "correct"):
            one = statistics.median(times[(mode, "1")])
            two = statistics.median(times[(mode, "2")])
            print(f"{mode:<8} {one*1e3:7.1f} ms {two*1e3:7.1f} ms  {one/two:5.2f}x")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def big_bench(args, gen, check, work):
    """A dictionary of --big-gb GB in each layout: wc -l, check and correct
    mode in the same run, medians, peak resident size."""
    lines = int(args.big_gb * 1e9 / 16.6)
    print(f"{'big':<7} {'lines':>9} {'MB':>6}  {'wc -l':>8}  {'check':>20}  {'check/wc':>8}  {'correct':>20}")
    for layout, name, extra in (("pairs", "big.txt", []), ("equals", "big.DAT", ["--equals"])):
        path = os.path.join(work, name)
        subprocess.run([gen, layout, str(lines), path], check=True)
        size = os.path.getsize(path)
        with open(path, "rb") as f:  # warm the cache
            while f.read(1 << 20):
                pass
        out = os.path.join(work, "big")
        clear = lambda: (shutil.rmtree(out, ignore_errors=True), os.sync())
        wc, _ = measure(["wc", "-l", path], args.runs)
        chk, chk_rss = measure([check, "-q", *check_options(extra), path], args.runs, clear)
        cor, cor_rss = measure([check, "-q", "--correct", *extra, path], max(3, args.runs // 3), clear)
        print(f"{layout:<7} {lines:>9} {size/1e6:>6.0f}  {wc:6.3f} s  {chk:6.3f} s {chk_rss/1024:5.1f} MB peak"
              f"  {chk/wc:7.2f}x  {cor:6.3f} s {cor_rss/1024:5.1f} MB peak")
        os.remove(path)
        clear()


def long_line_bench(args, gen, check, work):
    """One line of --long-line-gib GiB (English, a translation character at
    its end: erroneous, quoted whole into the log): check, correct and
    correct keeping erroneous lines, time and peak resident size, read from
    the file and through a pipe (`cat line.txt | corvel-check` on a link to
    /dev/stdin, which cannot be read twice). For comparison, in the same run,
    a line-pair dictionary of ordinary lines of the same size, the same ways.
    With --line-ends any both are read line by line, as the windows read."""
    size = int(args.long_line_gib * (1 << 30))
    line = os.path.join(work, "line.txt")
    tail = b"\xba\xc3"
    with open(line, "wb") as f:
        chunk = b"a" * (1 << 20)
        left = size - len(tail)
        while left > 0:
            f.write(chunk[:min(left, len(chunk))])
            left -= min(left, len(chunk))
        f.write(tail)
    ordinary = os.path.join(work, "ordinary.txt")
    subprocess.run([gen, "pairs", str(int(size / 16.6)), ordinary], check=True)
    piped = os.path.join(work, "pipe")
    os.mkdir(piped)
    runs = max(3, args.runs // 3)
    # --line-ends any reads line by line, as the windows do.
    modes = (("check", check_options([])), ("correct", ["--correct"]),
             ("correct --keep-erroneous", ["--correct", "--keep-erroneous"]),
             ("check --line-ends any", check_options(["--line-ends", "any"])),
             ("correct --line-ends any", ["--correct", "--line-ends", "any"]))
    results = {}
    for name, path in (("line", line), ("ordinary", ordinary)):
        with open(path, "rb") as f:  # warm the cache
            while f.read(1 << 20):
                pass
        base = os.path.splitext(os.path.basename(path))[0]
        link = os.path.join(piped, os.path.basename(path))
        os.symlink("/dev/stdin", link)
        for source, target, feed, out in (("file", path, None, os.path.join(work, base)),
                                          ("pipe", link, path, os.path.join(piped, base))):
            clear = lambda out=out: (shutil.rmtree(out, ignore_errors=True), os.sync())
            for mode, extra in modes:
                results[(name, source, mode)] = measure([check, "-q", *extra, target], runs,
                                                        clear, feed)
            clear()
        os.remove(link)
    print(f"one line of {size/(1<<30):.2f} GiB against {os.path.getsize(ordinary)/1e9:.2f} GB of"
          f" ordinary line pairs (median of {runs} runs)")
    print(f"{'source':<6} {'mode':<26} {'long line':>22} {'ordinary':>22}  line/ordinary")
    for source in ("file", "pipe"):
        for mode, _ in modes:
            t, rss = results[("line", source, mode)]
            o, o_rss = results[("ordinary", source, mode)]
            print(f"{source:<6} {mode:<26} {t:6.2f} s {rss/1024:6.1f} MB peak"
                  f"  {o:6.2f} s {o_rss/1024:6.1f} MB peak  {t/o:6.2f}x")
    os.remove(line)
    os.remove(ordinary)


def spawn_once(cmd):
    """Runs cmd with its output to /dev/null; returns (wall seconds, user +
    system seconds of the child alone). posix_spawn and wait4 add no shell or
    GNU time to what is timed."""
    null = os.open(os.devnull, os.O_WRONLY)
    try:
        start = time.perf_counter()
        pid = os.posix_spawn(cmd[0], cmd, os.environ,
                             file_actions=[(os.POSIX_SPAWN_DUP2, null, 1), (os.POSIX_SPAWN_DUP2, null, 2)])
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
    finally:
        os.close(null)
    code = os.waitstatus_to_exitcode(status)
    if code not in (0, 1):
        sys.exit(f"{' '.join(cmd)} failed with status {code}")
    return wall, usage.ru_utime + usage.ru_stime


def startup_bench(args, check):
    """wc -l, --version and whole runs on an empty dictionary, the kinds (and
    with --compare another build's) taking turns."""
    work = tempfile.mkdtemp(prefix="corvel-startup-")
    try:
        empty = os.path.join(work, "EMPTY.txt")
        open(empty, "wb").close()
        out = os.path.join(work, "EMPTY")

        def fresh():
            shutil.rmtree(out, ignore_errors=True)
            os.sync()

        kinds = [("wc -l EMPTY.txt", [shutil.which("wc") or "/usr/bin/wc", "-l", empty], None)]
        builds = [("", check)]
        if args.compare:
            builds.append((f"[{args.compare}] ", os.path.join(args.compare, "cli", "corvel-check")))
        for label, program in builds:
            kinds += [
                (f"{label}corvel-check --version", [program, "--version"], None),
                # A fresh output folder, as the other benchmarks have it.
                (f"{label}corvel-check -q EMPTY.txt, new folder", [program, "-q", empty], fresh),
                # The log of the run before replaced, as when a dictionary
                # is checked again.
                (f"{label}corvel-check -q EMPTY.txt, log again", [program, "-q", empty], os.sync),
            ]
        times = {name: ([], []) for name, _, _ in kinds}
        load = os.getloadavg()[0]
        for _ in range(args.runs):
            for name, cmd, before in kinds:
                if before:
                    before()
                wall, cpu = spawn_once(cmd)
                times[name][0].append(wall)
                times[name][1].append(cpu)
        print(f"start-up, median of {args.runs} runs (load average {load:.2f} before, "
              f"{os.getloadavg()[0]:.2f} after)")
        wc_wall = statistics.median(times[kinds[0][0]][0])
        wc_cpu = statistics.median(times[kinds[0][0]][1])
        width = max(len(name) for name, _, _ in kinds)
        for name, _, _ in kinds:
            wall = statistics.median(times[name][0])
            cpu = statistics.median(times[name][1])
            print(f"{name:<{width}}  wall {wall*1e3:6.2f} ms {wall/wc_wall:5.2f}x"
                  f"   cpu {cpu*1e3:6.2f} ms {cpu/wc_cpu:5.2f}x")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--lines", type=int, default=2_000_000)
    ap.add_argument("--runs", type=int, default=9)
    ap.add_argument("--big-gb", type=float, default=0)
    ap.add_argument("--long-line-gib", type=float, default=0,
                    help="also time one line of this many GiB (see long_line_bench)")
    ap.add_argument("--jobs", action="store_true",
                    help="time -j 1 against -j 2 on many small dictionaries instead")
    ap.add_argument("--encoding-auto", action="store_true",
                    help="time --encoding auto against a plain check instead")
    ap.add_argument("--startup", action="store_true",
                    help="time the process start on an empty dictionary instead")
    ap.add_argument("--compare", metavar="DIR",
                    help="with --startup, also time this build's corvel-check in the same run")
    ap.add_argument("--dictionaries", type=int, default=200)
    ap.add_argument("--dictionary-lines", type=int, default=10_000)
    args = ap.parse_args()

    gen = os.path.join(args.build, "bench", "gen-dictionary")
    check = os.path.join(args.build, "cli", "corvel-check")
    if args.jobs:
        jobs_bench(args, gen, check)
        return
    if args.encoding_auto:
        encoding_auto_bench(args, gen, check)
        return
    if args.startup:
        startup_bench(args, check)
        return
    work = tempfile.mkdtemp(prefix="corvel-bench-")
    try:
        rows = []
        for layout, name, extra in (("pairs", "pairs.txt", []), ("equals", "equals.DAT", ["--equals"])):
            path = os.path.join(work, name)
            subprocess.run([gen, layout, str(args.lines), path], check=True)
            size = os.path.getsize(path)
            with open(path, "rb") as f:  # warm the cache
                while f.read(1 << 20):
                    pass
            out = os.path.join(work, name.split(".")[0])
            def clear(out=out):
                # A fresh output folder for every run, with the freed blocks
                # settled, so no run pays for the one before it.
                shutil.rmtree(out, ignore_errors=True)
                os.sync()
            wc, _ = measure(["wc", "-l", path], args.runs)
            chk, chk_rss = measure([check, "-q", *check_options(extra), path], args.runs, clear)
            cor, cor_rss = measure([check, "-q", "--correct", *extra, path], args.runs, clear)
            mb = size / 1e6
            rows.append((layout, args.lines, mb, wc, chk, chk_rss, cor, cor_rss))
            os.remove(path)
            clear()

        print(f"{'layout':<7} {'lines':>9} {'MB':>6}  {'wc -l':>14}  {'check':>22}  {'correct':>22}  correct/check")
        for layout, lines, mb, wc, chk, chk_rss, cor, cor_rss in rows:
            print(f"{layout:<7} {lines:>9} {mb:>6.1f}  {wc*1e3:6.1f} ms {mb/1e3/wc:4.1f} GB/s"
                  f"  {chk*1e3:6.1f} ms {mb/1e3/chk:4.2f} GB/s {chk_rss/1024:4.1f} MB"
                  f"  {cor*1e3:6.1f} ms {mb/1e3/cor:4.2f} GB/s {cor_rss/1024:4.1f} MB  {cor/chk:5.2f}x")

        if args.big_gb > 0:
            big_bench(args, gen, check, work)
        if args.long_line_gib > 0:
            long_line_bench(args, gen, check, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
