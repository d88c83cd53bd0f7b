#!/usr/bin/env python3
"""Recall of the report on a generated dictionary: every planted fault found.

Usage: bench/check_recall.py --gen GEN_DICTIONARY --check CORVEL_CHECK
                             [--pairs N] [--work DIR]

Writes a line-pair and an equals-line dictionary of the "report" kind with
N pairs and the manifest of their planted faults (gen-dictionary ...
report MANIFEST), runs `corvel-check --format json` on each and fails
unless every planted fault has a finding of its rule at its line.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

RULE_OF = {
    "placeholder": "placeholder-mismatch",
    "fullwidth": "fullwidth-placeholder",
    "number": "number-mismatch",
    "trailing-space": "whitespace-mismatch",
    "untranslated": "untranslated",
    "inconsistent": "inconsistent-translation",
}


def planted(manifest):
    with open(manifest, encoding="ascii") as f:
        for row in f:
            line, kind = row.split()
            yield int(line), kind


def findings(check, path, extra):
    proc = subprocess.run([check, "-q", *extra, "--format", "json", path],
                          stdout=subprocess.PIPE, check=False)
    if proc.returncode not in (0, 1):
        raise SystemExit(f"corvel-check failed on {path} with status {proc.returncode}")
    report = json.loads(proc.stdout)
    (dictionary,) = report["dictionaries"]
    return {(f["rule"], f["line"]) for f in dictionary["findings"]}


def check_layout(args, work, layout, lines, extra):
    path = os.path.join(work, f"{layout}.txt")
    manifest = os.path.join(work, f"{layout}.manifest")
    subprocess.run([args.gen, layout, str(lines), path, "report", manifest], check=True)
    found = findings(args.check, path, ["--workdir", work, *extra])
    kinds = {}
    lost = []
    for line, kind in planted(manifest):
        kinds[kind] = kinds.get(kind, 0) + 1
        if (RULE_OF[kind], line) not in found:
            lost.append(f"{layout} line {line}: {kind} ({RULE_OF[kind]}) not found")
    missing_kinds = sorted(set(RULE_OF) - set(kinds))
    print(f"{layout}: planted " + ", ".join(f"{n} {k}" for k, n in sorted(kinds.items())))
    return lost + [f"{layout}: no {k} fault was planted" for k in missing_kinds]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--gen", required=True)
    ap.add_argument("--check", required=True)
    ap.add_argument("--pairs", type=int, default=20000)
    ap.add_argument("--work")
    args = ap.parse_args()
    work = args.work or tempfile.mkdtemp(prefix="corvel-recall-")
    if args.work:
        shutil.rmtree(work, ignore_errors=True)
        os.makedirs(work)
    try:
        problems = check_layout(args, work, "pairs", 2 * args.pairs, ["--no-error-stop"])
        problems += check_layout(args, work, "equals", args.pairs, ["--equals"])
    finally:
        if not args.work:
            shutil.rmtree(work, ignore_errors=True)
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
