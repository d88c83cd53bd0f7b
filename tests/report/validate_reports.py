#!/usr/bin/env python3
"""Validates corvel-check's JSON and SARIF reports with outside validators.

Runs report-sample, then checks every JSON report against
docs/report.schema.json with Debian's python3-jsonschema, and every SARIF
report with Microsoft's SARIF multitool (installed by scripts/npm-tools.sh).
The multitool exits 0 whatever it finds, so its own SARIF output is read:
any error or warning it reports fails the test (but for ALLOWED). Also checks that the
schema, the SARIF rules and docs/report.md name the same rules.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys

import jsonschema


# SARIF2005 asks for the tool's informationUri, an absolute address of its
# documentation; Corvel has no public address to give yet.
ALLOWED = {"SARIF2005"}


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def validate_json(path, schema):
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    validator = jsonschema.Draft202012Validator(schema)
    errors = sorted(validator.iter_errors(report), key=lambda e: list(e.path))
    for e in errors[:20]:
        print(f"{path}: {'/'.join(map(str, e.path))}: {e.message}")
    if errors:
        fail(f"{path}: {len(errors)} schema errors")
    return report


def validate_sarif(path, multitool, work):
    out = os.path.join(work, os.path.basename(path) + ".validation.sarif")
    proc = subprocess.run([multitool, "validate", "--log", "ForceOverwrite", "--output", out, path],
                          capture_output=True, text=True)
    print(proc.stdout.strip())
    if not os.path.exists(out):
        fail(f"{path}: the multitool wrote no result (status {proc.returncode}): {proc.stderr}")
    with open(out, encoding="utf-8-sig") as f:
        result = json.load(f)
    problems = []
    for run in result.get("runs", []):
        for r in run.get("results", []):
            level = r.get("level", "warning")
            if level in ("error", "warning") and r.get("ruleId") not in ALLOWED:
                problems.append(f"{level} {r.get('ruleId')}: {r.get('message', {}).get('text', '')}")
        for inv in run.get("invocations", []):
            for n in inv.get("toolExecutionNotifications", []) + inv.get("toolConfigurationNotifications", []):
                if n.get("level", "warning") == "error":
                    problems.append(f"tool error: {n.get('message', {}).get('text', '')}")
    for p in problems:
        print(f"{path}: {p}")
    if problems:
        fail(f"{path}: the SARIF multitool reported {len(problems)} problems")
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def check_rules(schema, sarif, docs_path):
    schema_rules = schema["$defs"]["finding"]["properties"]["rule"]["enum"]
    sarif_rules = [r["id"] for r in sarif["runs"][0]["tool"]["driver"]["rules"]]
    if schema_rules != sarif_rules:
        fail(f"schema rules {schema_rules} differ from the tool's {sarif_rules}")
    with open(docs_path, encoding="utf-8") as f:
        docs = f.read()
    missing = [r for r in sarif_rules if f"`{r}`" not in docs]
    if missing:
        fail(f"docs/report.md does not describe {missing}")


def check_results(report, sarif):
    findings = [f for d in report["dictionaries"] for f in d["findings"]]
    results = sarif["runs"][0]["results"]
    if len(findings) != len(results):
        fail(f"{len(findings)} JSON findings but {len(results)} SARIF results")
    for f, r in zip(findings, results):
        region = r["locations"][0]["physicalLocation"]["region"]
        if f["rule"] != r["ruleId"] or f["line"] != region["startLine"]:
            fail(f"JSON finding {f} and SARIF result {r} differ")
    rules = {f["rule"] for f in findings}
    return rules


def main():
    ap = argparse.ArgumentParser()
    for name in ("sample", "real-data", "schema", "docs", "npm-tools", "work"):
        ap.add_argument("--" + name, required=True)
    # Translation files: corvel-check's own reports on real catalogues.
    ap.add_argument("--checker")
    ap.add_argument("--catalogues")
    args = ap.parse_args()

    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    subprocess.run([args.sample, args.work, args.real_data], check=True)
    tools = subprocess.run([args.npm_tools], capture_output=True, text=True)
    if tools.returncode != 0:
        fail(f"scripts/npm-tools.sh failed: {tools.stderr}")
    multitool = tools.stdout.strip().splitlines()[-1]

    with open(args.schema, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)

    seen = set()
    for name in ("report", "baseline-report"):
        report = validate_json(os.path.join(args.work, name + ".json"), schema)
        sarif = validate_sarif(os.path.join(args.work, name + ".sarif"), multitool, args.work)
        check_rules(schema, sarif, args.docs)
        seen |= check_results(report, sarif)
        if name == "baseline-report":
            findings = [f for d in report["dictionaries"] for f in d["findings"]]
            if not findings or not all(f["baseline"] for f in findings):
                fail("the second report does not mark every finding as baseline")
            if any(r.get("baselineState") != "unchanged" for r in sarif["runs"][0]["results"]):
                fail("SARIF results of the second report are not all unchanged")
    if args.checker and args.catalogues:
        files = sorted(os.path.join(args.catalogues, f) for f in os.listdir(args.catalogues)
                       if f.endswith(".po"))
        broken = os.path.join(args.work, "broken.po")
        with open(broken, "w", encoding="utf-8") as f:
            f.write('msgid "a"\nmsgstr "b"\nmsgid "c"\n')
        for fmt in ("json", "sarif"):
            out = os.path.join(args.work, "catalogues." + fmt)
            with open(out, "w", encoding="utf-8") as f:
                proc = subprocess.run([args.checker, "--format", fmt] + files + [broken], stdout=f)
            if proc.returncode != 2:
                fail(f"corvel-check on the catalogues and a broken one ended with {proc.returncode}")
        report = validate_json(os.path.join(args.work, "catalogues.json"), schema)
        sarif = validate_sarif(os.path.join(args.work, "catalogues.sarif"), multitool, args.work)
        seen |= check_results(report, sarif)
        if not all(d.get("layout") == "po" and "entries" in d for d in report["dictionaries"]):
            fail("a catalogue's report lacks its format or its entries")
    print(f"validated; rules seen: {sorted(seen)}")


if __name__ == "__main__":
    main()
