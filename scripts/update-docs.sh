#!/bin/sh
# Writes the parts of docs/ that come from the code and the judged data:
# docs/report.md's rule table and rule reference and the JSON schema's rule
# list from the rule registry (built as rule-docs), and report.md's tables
# of the judged sets from their verdicts. The tests fail until this has run
# after a rule or a verdict changes.
#
#   scripts/update-docs.sh [BUILD_DIR]   (default: build, configured already)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target rule-docs
"$build/tests/report/rule-docs" docs
for set in untuned holdout catalogues games desktop; do
    python3 tests/report/judged_findings.py --data "tests/data/$set" \
        --docs docs/report.md --write-docs >/dev/null
done
