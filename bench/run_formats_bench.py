#!/usr/bin/env python3
"""Reading time and peak memory of the XLIFF and JSON readers on files of
N entries (default 1,000,000), alone and under corvel-check with every rule;
with --huge, a 1 GiB text in an XLIFF and a JSON file, which must be refused
at the limit of one text with memory bounded. Figures go in bench/README.md.

    python3 bench/run_formats_bench.py --build build [--entries N] [--runs 3] [--huge]
"""
import argparse
import os
import statistics
import subprocess
import tempfile


def timed(command):
    """(processor seconds, peak resident MB, exit status) of one run, by GNU
    time: user and system time, which a machine shared with other work
    changes less than the wall clock."""
    with tempfile.NamedTemporaryFile(mode="r") as out:
        status = subprocess.run(["/usr/bin/time", "-f", "%U %S %M", "-o", out.name] + command,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
        user, system, kb = out.read().split()[-3:]
    return float(user) + float(system), int(kb) / 1024, status


def median_run(command, runs):
    results = [timed(command) for _ in range(runs)]
    return (statistics.median(r[0] for r in results), max(r[1] for r in results), results[0][2])


def write_huge(path, head, tail, size):
    with open(path, "wb") as f:
        f.write(head)
        block = b"a" * (1 << 20)
        for _ in range(size >> 20):
            f.write(block)
        f.write(tail)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--build", default="build")
    p.add_argument("--entries", type=int, default=1_000_000)
    p.add_argument("--runs", type=int, default=3)
    p.add_argument("--huge", action="store_true")
    a = p.parse_args()
    gen = os.path.join(a.build, "bench", "gen-translation-files")
    read = os.path.join(a.build, "bench", "read-formats-bench")
    check = os.path.join(a.build, "cli", "corvel-check")
    with tempfile.TemporaryDirectory() as work:
        subprocess.run([gen, str(a.entries), work], check=True)
        xlf = os.path.join(work, "bench.xlf")
        en = os.path.join(work, "en.json")
        zh = os.path.join(work, "zh.json")
        for f in (xlf, zh):
            subprocess.run(["cat", f], stdout=subprocess.DEVNULL, check=True)  # warm the cache
        rows = [
            ("XLIFF 1.2, the reader alone", xlf, [read, "xliff", xlf]),
            ("XLIFF 1.2, corvel-check --format json", xlf,
             [check, "--format", "json", xlf]),
            ("JSON, the reader alone", zh, [read, "json", zh]),
            ("JSON, corvel-check --format json --source", zh,
             [check, "--format", "json", "--source", en, zh]),
        ]
        print(f"| {a.entries:,} entries | MB | processor time (median of {a.runs}) | MB/s | peak resident |")
        print("|---|---|---|---|---|")
        for name, f, command in rows:
            seconds, mb, _ = median_run(command, a.runs)
            size = os.path.getsize(f) / 1e6
            print(f"| {name} | {size:.1f} | {seconds:.2f} s | {size / seconds:.0f} | {mb:.1f} MB |")
        if a.huge:
            size = 1 << 30
            hx = os.path.join(work, "huge.xlf")
            write_huge(hx, b'<xliff version="1.2"><file><body><trans-unit id="u"><source>s</source><target>',
                       b"</target></trans-unit></body></file></xliff>\n", size)
            seconds, mb, status = timed([check, "--format", "text", hx])
            print(f"| 1 GiB text in XLIFF | {size / 1e6:.0f} | {seconds:.2f} s | | {mb:.1f} MB, exit {status} |")
            os.remove(hx)
            hj = os.path.join(work, "huge.json")
            write_huge(hj, b'{"k": "', b'"}\n', size)
            small = os.path.join(work, "small.json")
            with open(small, "w") as f:
                f.write('{"k": "text"}\n')
            seconds, mb, status = timed([check, "--format", "text", "--source", small, hj])
            print(f"| 1 GiB text in JSON | {size / 1e6:.0f} | {seconds:.2f} s | | {mb:.1f} MB, exit {status} |")


if __name__ == "__main__":
    main()
