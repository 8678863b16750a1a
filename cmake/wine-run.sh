#!/usr/bin/env bash
# CTest's emulator for Win32 executables: wine-run.sh PREFIX EXE [ARGS...]
# Runs EXE under Wine in PREFIX (prepared on first use) on the current DISPLAY.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m "$1"); shift
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no DISPLAY; start one with: eval \"\$(scripts/wine-env.sh start BUILD_DIR)\"" >&2
  exit 2
fi
source "$here/wine-env.inc"
qs_wine_env "$prefix"
"$here/wine-prefix.sh" "$prefix"
exec wine "$@"
