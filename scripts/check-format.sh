#!/usr/bin/env bash
# Checks that every C++ file of ours matches .clang-format; --fix rewrites the ones that do not.
# clang-format is pinned to Debian's version 14 (scripts/install-deps.sh), since versions format differently.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
fmt=clang-format-14
command -v "$fmt" >/dev/null || { echo "check-format: $fmt missing (bash scripts/install-deps.sh)" >&2; exit 2; }
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
if [ "${1:-}" = --fix ]; then
  "$fmt" -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  "$fmt" --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'check-format: not formatted: %s\n' "${bad[@]}"
  echo "check-format: ${#bad[@]} of ${#files[@]} files differ; run scripts/check-format.sh --fix"
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
