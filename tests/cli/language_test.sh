#!/usr/bin/env bash
# corvel-check in the user's language, as a process: the locale's variables
# (LC_ALL, then LC_MESSAGES, then LANG) choose Chinese or English, --lang
# overrides them. Then the checker checks its own Chinese catalogue, every
# rule clean.
# Usage: language_test.sh CORVEL-CHECK CATALOGUE.po
set -euo pipefail
checker=$(realpath "$1") catalogue=$(realpath "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }

# environment | arguments | the help's first word
cases=(
  "LANG=zh_CN.UTF-8|--help|用法："
  "LANG=C.UTF-8|--help|Usage:"
  "LANG=en_US.UTF-8|--help|Usage:"
  "LANG=zh_TW.UTF-8|--help|用法："
  "LC_ALL=C.UTF-8 LANG=zh_CN.UTF-8|--help|Usage:"
  "LC_MESSAGES=zh_CN.UTF-8 LANG=C.UTF-8|--help|用法："
  "LANG=zh_CN.UTF-8|--lang en --help|Usage:"
  "LANG=C.UTF-8|--lang=zh --help|用法："
  "|--help|Usage:"
)
for case in "${cases[@]}"; do
  IFS='|' read -r environment arguments expected <<<"$case"
  # shellcheck disable=SC2086
  first=$(env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE $environment "$checker" $arguments | head -1)
  [[ "$first" == "$expected"* ]] || fail "[$environment] corvel-check $arguments: '$first', not $expected"
done

# The catalogue is a gettext file the checker reads itself: every entry
# translated (none fuzzy or empty) and every rule clean.
status=0
report=$(LC_ALL=C.UTF-8 "$checker" --format text "$catalogue") || status=$?
[ "$status" = 0 ] || fail "the catalogue is not clean (status $status):
$report"
grep -qE ": [0-9]+ entries, 0 errors, 0 warnings$" <<<"$report" ||
  fail "unexpected summary: $report"
grep -qE "fuzzy|untranslated|unfinished" <<<"$report" && fail "entries not translated yet: $report"
echo "PASS: ${#cases[@]} language choices; the catalogue: $report"
