#!/usr/bin/env bash
# CTest's emulator for Windows executables: wine-run.sh PREFIX ARCH EXE [ARGS...]
# Runs EXE under Wine's loader for ARCH (win32 or win64) in PREFIX (prepared on first use) on the
# current DISPLAY.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m "$1")
arch=$2
shift 2
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no DISPLAY; start one with: eval \"\$(scripts/wine-env.sh start BUILD_DIR)\"" >&2
  exit 2
fi
source "$here/wine-env.inc"
qs_wine_env "$prefix" "$arch"
"$here/wine-prefix.sh" "$prefix" "$arch"
exec "$WINELOADER" "$@"
