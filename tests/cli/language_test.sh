#!/usr/bin/env bash
# corvel-check in the user's language, as a process: the locale's variables
# (LC_ALL, then LC_MESSAGES, then LANG) choose Chinese or English, --lang
# overrides them. Then the checker checks its own Chinese catalogue: the
# .po made a UTF-8 line-pair dictionary (each msgid a line, its msgstr the
# next, the catalogue's escapes kept as written), every rule clean.
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

work=$(mktemp -d "${TMPDIR:-/tmp}/corvel-language.XXXXXX")
trap 'rm -rf "$work"' EXIT
awk '
  function flush() { if (id != "" && str != "" && !fuzzy) { print id; print str; n++ } id = str = ""; part = ""; fuzzy = 0 }
  /^#,.*fuzzy/ { fuzzy = 1; next }
  /^msgid "/ { part = "id"; id = substr($0, 8, length($0) - 8); next }
  /^msgstr "/ { part = "str"; str = substr($0, 9, length($0) - 9); next }
  /^"/ { text = substr($0, 2, length($0) - 2); if (part == "id") id = id text; else if (part == "str") str = str text; next }
  /^$/ { flush() }
  END { flush(); if (n < 1) exit 1 }
' "$catalogue" > "$work/zh_CN.txt" || fail "no entries read from $catalogue"
entries=$(($(wc -l < "$work/zh_CN.txt") / 2))
status=0
report=$(LC_ALL=C.UTF-8 "$checker" --encoding utf-8 --line-ends any --format text \
  --time "2002-05-30 14:05:09" "$work/zh_CN.txt") || status=$?
[ "$status" = 0 ] || fail "the catalogue is not clean (status $status):
$report"
grep -q ": $((entries * 2)) lines, 0 untranslated, 0 erroneous, 0 empty" <<<"$report" ||
  fail "unexpected summary: $report"
echo "PASS: ${#cases[@]} language choices; the catalogue's $entries entries, every rule clean"
