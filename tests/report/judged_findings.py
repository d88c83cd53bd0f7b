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

docs/report.md holds each set's table between markers; --docs FILE fails
when the table there is not the one the verdicts give, --write-docs writes
it (scripts/update-docs.sh does so for every set). A set with a
first_read.tsv (the verdicts before a round of rule changes) gets a table
of both readings.
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


def print_table(verdicts, markdown):
    if markdown:
        print(markdown_table(verdicts), end="")
        return
    rows = table(verdicts)
    print(f"{'rule':28} {'real':>5} {'debat':>5} {'noise':>5} {'all':>5} {'real%':>6} {'r+d%':>6}")
    for rule, r, d, n, total, real, worth in rows:
        print(f"{rule:28} {r:5} {d:5} {n:5} {total:5} {real:6.1f} {worth:6.1f}")


def counts_text(c):
    return f"{c['real']} / {c['debatable']} / {c['noise']}"


def shares_text(c):
    total = sum(c.values())
    return (f"{100.0 * c['real'] / total:.0f}% real, "
            f"{100.0 * (c['real'] + c['debatable']) / total:.0f}% real or worth a look")


def markdown_table(verdicts):
    rows = ["| rule | real / debatable / noise | real | real or worth a look |",
            "|---|---|---|---|"]
    for rule, r, d, n, _, real, worth in table(verdicts):
        rows.append(f"| {rule} | {r} / {d} / {n} | {real:.0f}% | {worth:.0f}% |")
    return "\n".join(rows) + "\n"


def before_after_table(before, after):
    """Both readings by rule, then all rules and all but untranslated."""
    readings = []
    for verdicts in (before, after):
        by_rule = collections.defaultdict(collections.Counter)
        for rule, verdict in verdicts:
            keys = [rule, "all"] + ([] if rule == "untranslated" else ["all but untranslated"])
            for key in keys:
                by_rule[key][verdict] += 1
        readings.append(by_rule)
    was, now = readings
    rules = sorted((set(was) | set(now)) - {"all", "all but untranslated"},
                   key=lambda r: (-sum(now.get(r, {}).values()), -sum(was.get(r, {}).values()), r))
    rows = ["| rule | before: real / debatable / noise | after: real / debatable / noise |",
            "|---|---|---|"]
    for rule in rules:
        cells = [counts_text(c[rule]) if rule in c else "\u2014" for c in (was, now)]
        rows.append(f"| {rule} | {cells[0]} | {cells[1]} |")
    for total in ("all", "all but untranslated"):
        cells = [f"{counts_text(c[total])} ({shares_text(c[total])})" for c in (was, now)]
        rows.append(f"| {total} | {cells[0]} | {cells[1]} |")
    return "\n".join(rows) + "\n"


def docs_table(data, verdicts):
    first_read = Path(data) / "first_read.tsv"
    if first_read.exists():
        return before_after_table(read_judged(first_read)[1], verdicts)
    return markdown_table(verdicts)


def with_docs_table(doc, name, content):
    """DOC with the text between the markers of NAME's table replaced."""
    begin = f"<!-- begin judged table of {name}: written by scripts/update-docs.sh -->\n"
    end = f"<!-- end judged table of {name} -->\n"
    start = doc.find(begin)
    stop = doc.find(end, start) if start >= 0 else -1
    if stop < 0:
        sys.exit(f"the docs lack the markers of the judged table of {name}")
    return doc[:start + len(begin)] + "\n" + content + "\n" + doc[stop:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", help="corvel-check; without it only the table is printed")
    parser.add_argument("--data", required=True)
    parser.add_argument("--judged", help="the verdicts (default: DATA/judged.tsv)")
    parser.add_argument("--markdown", action="store_true")
    parser.add_argument("--option", action="append", default=[],
                        help="an option passed on to corvel-check (e.g. --option=--encoding=utf-8)")
    parser.add_argument("--docs", help="docs/report.md: its table of DATA must be the verdicts'")
    parser.add_argument("--write-docs", action="store_true", help="write the table into --docs")
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
    print_table(verdicts, args.markdown)
    if args.docs:
        docs = Path(args.docs)
        doc = docs.read_text(encoding="utf-8")
        name = Path(args.data).resolve().name
        written = with_docs_table(doc, name, docs_table(args.data, verdicts))
        if args.write_docs and written != doc:
            docs.write_text(written, encoding="utf-8")
            print(f"written: {docs}")
        elif written != doc:
            print(f"{docs}: the table of {name} is not its verdicts': run scripts/update-docs.sh")
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
