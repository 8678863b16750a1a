#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it under Wine.
# On your DISPLAY it runs until you close it; with no display it runs in a private Xvfb for
# QS_RUN_SECONDS (default 10), saves a screenshot and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target Quillshot
exe=build/win32/bin/Quillshot.exe
source cmake/wine-env.inc

if [ -n "${DISPLAY:-}" ]; then
  cmake/wine-prefix.sh "$root/build/win32/wineprefix"
  qs_wine_env "$root/build/win32/wineprefix"
  echo "run: starting $exe under Wine on $DISPLAY"
  exec wine "$exe"
fi

eval "$(scripts/wine-env.sh start build/win32)"
trap 'scripts/wine-env.sh stop build/win32' EXIT
qs_wine_env "$QS_WINEPREFIX"
echo "run: no DISPLAY, running $exe in a private Xvfb ($DISPLAY)"
wine "$exe" </dev/null >/dev/null 2>&1 &
sleep "${QS_RUN_SECONDS:-10}"
shot="$root/build/win32/quillshot-screen.png"
import -window root -depth 8 "$shot"
echo "run: screenshot of the running program saved to $shot"
