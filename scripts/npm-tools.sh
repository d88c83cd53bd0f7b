#!/usr/bin/env bash
# Installs the npm tools the test suite uses (the SARIF validator) into
# scripts/npm/node_modules, from the versions pinned in scripts/npm.
# Prints the path of sarif-multitool on success.
set -euo pipefail
cd "$(dirname "$0")/npm"

tool=node_modules/.bin/sarif-multitool
if [ ! -x "$tool" ]; then
  if [ -f package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error >&2
  else
    npm install --no-audit --no-fund --loglevel=error >&2
  fi
fi
echo "$PWD/$tool"
