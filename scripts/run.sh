#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it under Wine: the 32-bit program (the
# product) where this host can execute 32-bit code, the same program's 64-bit build otherwise.
# On your DISPLAY it runs until you close it; with no display it runs in a private Xvfb for
# QS_RUN_SECONDS (default 10), saves a screenshot and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source cmake/wine-env.inc
bash scripts/install-deps.sh
preset=$(qs_runnable_build)
if [ "$preset" = win32 ]; then
  echo "run: this host runs 32-bit programs: starting the 32-bit build"
else
  echo "run: this host cannot execute 32-bit programs: starting the 64-bit build of the same program"
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target Quillshot
build=$root/build/$preset
exe=$build/bin/Quillshot.exe

if [ -n "${DISPLAY:-}" ]; then
  cmake/wine-prefix.sh "$build/wineprefix" "$preset"
  qs_wine_env "$build/wineprefix" "$preset"
  echo "run: starting $exe under Wine on $DISPLAY"
  exec "$WINELOADER" "$exe"
fi

eval "$(scripts/wine-env.sh start "$build")"
trap 'scripts/wine-env.sh stop "$build"' EXIT
qs_wine_env "$QS_WINEPREFIX" "$QS_WINE_ARCH"
echo "run: no DISPLAY, running $exe in a private Xvfb ($DISPLAY)"
qs_wine "$exe" </dev/null >/dev/null 2>&1 &
sleep "${QS_RUN_SECONDS:-10}"
shot="$build/quillshot-screen.png"
import -window root -depth 8 "$shot"
echo "run: screenshot of the running program saved to $shot"
