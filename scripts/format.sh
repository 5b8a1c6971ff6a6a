#!/usr/bin/env bash
# Formats every C++ file of the project in the house style (.clang-format).
# With --check it changes nothing and fails when a file is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
if [[ ${1:-} == --check ]]; then
  if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/orvale-format.$$; then
    grep -E '^[^ ].*: (error|warning):' /tmp/orvale-format.$$ | cut -d: -f1 | sort -u | sed 's/^/  not formatted: /'
    rm -f /tmp/orvale-format.$$
    echo "Format check failed. Fix it with: scripts/format.sh"
    exit 1
  fi
  rm -f /tmp/orvale-format.$$
  echo "Format check: ${#files[@]} files formatted."
  exit 0
fi
clang-format -i "${files[@]}"
