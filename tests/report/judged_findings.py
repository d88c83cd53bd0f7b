#!/usr/bin/env python3
"""Holds corvel-check's findings on a folder of real dictionaries to a person's reading.

It serves the untuned dictionaries and the hold-out ones alike.

Every content finding (all rules but empty-line) of the JSON report with the
default rules on each dictionary of DATA has a row in JUDGED (file, line,
rule, verdict, reason; verdict real, debatable or noise). The run fails when
a finding has no row (a rule change made a new one: read it and add it) or a
row's finding no longer occurs (remove or re-judge it). Either way it prints
the table of verdicts by rule.

    judged_findings.py --check build/cli/corvel-check --data tests/data/untuned
    judged_findings.py --check build/cli/corvel-check --data tests/data/holdout
    judged_findings.py --data tests/data/untuned --markdown   (the table only)
"""
import argparse
import collections
import json
import subprocess
import sys
import tempfile
from pathlib import Path

VERDICTS = ("real", "debatable", "noise")
STRUCTURE_RULES = {"empty-line"}


def read_judged(path):
    rows = collections.Counter()
    verdicts = []
    for number, line in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 5 or fields[3] not in VERDICTS or not fields[4].strip():
            sys.exit(f"{path}:{number}: want file, line, rule, verdict ({'/'.join(VERDICTS)}), reason")
        file, line_no, rule, verdict, _ = fields
        rows[(file, int(line_no), rule)] += 1
        verdicts.append((rule, verdict))
    return rows, verdicts


def dictionaries(data):
    # A JSON locale file NAME.LANG.json is checked against NAME.en.json.
    return sorted(p for p in Path(data).glob("*")
                  if p.name.endswith((".eq.txt", ".pairs.txt", ".po"))
                  or (p.name.endswith(".json") and not p.name.endswith(".en.json")))


def report_findings(check, dictionary, workdir, options=()):
    command = [check, "--format", "json", "--quiet", "--workdir", workdir, *options]
    if dictionary.name.endswith(".eq.txt"):
        command.append("--equals")
    if dictionary.name.endswith(".json"):
        name = dictionary.name.split(".")[0]
        command += ["--source", str(dictionary.with_name(name + ".en.json"))]
    proc = subprocess.run(command + [str(dictionary)], capture_output=True, text=True)
    if proc.returncode not in (0, 1):
        sys.exit(f"{dictionary}: corvel-check ended with {proc.returncode}: {proc.stderr}")
    found = collections.Counter()
    for d in json.loads(proc.stdout)["dictionaries"]:
        for f in d["findings"]:
            if f["rule"] not in STRUCTURE_RULES:
                found[(dictionary.name, f["line"], f["rule"])] += 1
    return found


def differences(found, judged):
    """The findings without a verdict, and the verdicts without their finding."""
    return sorted((found - judged).elements()), sorted((judged - found).elements())


def table(verdicts):
    by_rule = collections.defaultdict(collections.Counter)
    for rule, verdict in verdicts:
        by_rule[rule][verdict] += 1
        by_rule["all"][verdict] += 1
    rows = []
    for rule in sorted(by_rule, key=lambda r: (r == "all", -sum(by_rule[r].values()), r)):
        c = by_rule[rule]
        total = sum(c.values())
        rows.append((rule, c["real"], c["debatable"], c["noise"], total,
                     100.0 * c["real"] / total, 100.0 * (c["real"] + c["debatable"]) / total))
    return rows


def print_table(rows, markdown):
    if markdown:
        print("| rule | real / debatable / noise | real | real or worth a look |")
        print("|---|---|---|---|")
        for rule, r, d, n, _, real, worth in rows:
            print(f"| {rule} | {r} / {d} / {n} | {real:.0f}% | {worth:.0f}% |")
        return
    print(f"{'rule':28} {'real':>5} {'debat':>5} {'noise':>5} {'all':>5} {'real%':>6} {'r+d%':>6}")
    for rule, r, d, n, total, real, worth in rows:
        print(f"{rule:28} {r:5} {d:5} {n:5} {total:5} {real:6.1f} {worth:6.1f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", help="corvel-check; without it only the table is printed")
    parser.add_argument("--data", required=True)
    parser.add_argument("--judged", help="the verdicts (default: DATA/judged.tsv)")
    parser.add_argument("--markdown", action="store_true")
    parser.add_argument("--option", action="append", default=[],
                        help="an option passed on to corvel-check (e.g. --option=--encoding=utf-8)")
    args = parser.parse_args()
    judged, verdicts = read_judged(args.judged or Path(args.data) / "judged.tsv")
    status = 0
    if args.check:
        found = collections.Counter()
        with tempfile.TemporaryDirectory() as work:
            for dictionary in dictionaries(args.data):
                found += report_findings(args.check, dictionary, work, args.option)
        unjudged, gone = differences(found, judged)
        for file, line, rule in unjudged:
            print(f"NOT JUDGED: {file}:{line}: {rule}")
        for file, line, rule in gone:
            print(f"NO LONGER FOUND: {file}:{line}: {rule}")
        print(f"{sum(found.values())} findings, {len(unjudged)} not judged, {len(gone)} judged but gone")
        status = 1 if unjudged or gone else 0
    print_table(table(verdicts), args.markdown)
    return status


if __name__ == "__main__":
    sys.exit(main())
