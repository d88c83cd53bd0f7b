#!/usr/bin/env bash
# The manual page against the checker it describes: every option that the
# live "corvel-check --help" lists appears in the rendered page, and man
# renders the page without a warning.
# Usage: manual_test.sh CORVEL-CHECK MANUAL-PAGE
set -euo pipefail
checker=$1 page=$2
export LC_ALL=C.UTF-8 MANWIDTH=80

# The option column of the help's option lines ends at the first two spaces:
# "  -q, --quiet           ..." gives -q and --quiet.
options=$("$checker" --help | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//' |
  grep -oE -- '(^|[ ,])-{1,2}[A-Za-z0-9][A-Za-z0-9-]*' | tr -d ' ,' | sort -u)
for expected in --help --version; do
  grep -qx -- "$expected" <<<"$options" || { echo "no $expected among the help's options: $options"; exit 1; }
done

warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
  echo "man warns about $page:"
  echo "$warnings"
  exit 1
fi

rendered=$(man -l "$page")
missing=()
for option in $options; do
  grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|\$)" <<<"$rendered" || missing+=("$option")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "options of --help missing from $page: ${missing[*]}"
  exit 1
fi
echo "$(wc -w <<<"$options") options of --help, all in the manual page"
