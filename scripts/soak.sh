#!/usr/bin/env bash
# The long soaks, outside the test command, under Wine: the capture program through hotkey
# captures, tray-menu openings and skin switches, and the gallery through window lives of every
# page and skin switches with every page open. Each prints GDI and USER counts and private bytes
# at the start, at every tenth and at the end, with the peak.
#   scripts/soak.sh [CAPTURES] [MENUS] [SWITCHES] [LIVES]   default 1000 500 200 500
# Runs in the 32-bit build where this host can execute it, else the 64-bit one;
# QS_SOAK_BUILD=win32|win64 picks one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source cmake/wine-env.inc
captures=${1:-1000}
menus=${2:-500}
switches=${3:-200}
lives=${4:-500}
preset=${QS_SOAK_BUILD:-$(qs_runnable_build)}

bash scripts/install-deps.sh >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build "build/$preset" --target program_soak_test gallery_soak_test -j "$(nproc)" >/dev/null
eval "$(scripts/wine-env.sh start "build/$preset")"
status=0
soak() { # test executable; its whole output is kept in build/<preset>/<name>.log
  local log=build/$preset/${1%.exe}.log
  cmake/wine-run.sh "$QS_WINEPREFIX" "$QS_WINE_ARCH" "build/$preset/bin/$1" >"$log" 2>&1 || status=1
  grep -E '^\[ +(OK|FAILED|PASSED) |%|start|Failure|Expected|Which is' "$log" || true
}
echo "== $preset: the capture program: $captures captures, $menus tray menus, $switches skin switches"
QS_SOAK_CAPTURES=$captures QS_SOAK_MENUS=$menus QS_SOAK_SWITCHES=$switches soak program_soak_test.exe
echo "== $preset: the gallery: $lives lives of each page, $switches skin switches with every page open"
QS_SOAK_LIVES=$lives QS_SOAK_SWITCHES=$switches soak gallery_soak_test.exe
exit $status
