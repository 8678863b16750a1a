#!/usr/bin/env bash
# The long soaks, outside the test command: the gallery's control pages through many window
# lives and skin switches under Wine, with GDI and USER counts printed before and after.
#   scripts/soak.sh [LIVES] [SWITCHES]   default 500 lives of each page and 200 switches
# Runs in the 32-bit build where this host can execute it, else the 64-bit one;
# QS_SOAK_BUILD=win32|win64 picks one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source cmake/wine-env.inc
lives=${1:-500}
switches=${2:-200}
preset=${QS_SOAK_BUILD:-$(qs_runnable_build)}

bash scripts/install-deps.sh >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build "build/$preset" --target gallery_soak_test -j "$(nproc)" >/dev/null
eval "$(scripts/wine-env.sh start "build/$preset")"
echo "== $preset: $lives lives of each page, $switches skin switches"
QS_SOAK_LIVES=$lives QS_SOAK_SWITCHES=$switches \
  cmake/wine-run.sh "$QS_WINEPREFIX" "$QS_WINE_ARCH" "build/$preset/bin/gallery_soak_test.exe" 2>&1 |
  grep -E '^\[ +(OK|FAILED|PASSED) |lives|switches|Failure|Expected|Which is'
