#!/usr/bin/env bash
# Draws the contact sheet of every bundled skin with skinpreview under Wine: docs/skins/<id>.png.
#   scripts/skin-sheets.sh [BUILD_DIR]     the win32 build tree to use (default build/win32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win32}")
ids="default item0 item1 item2 item3 item4 item5 item6 item7 item8 item9"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" --target skinpreview qs_skins

# Reuse a running Wine session of this tree; stop only the one started here.
started=0
[ -f "$build/wine-session" ] || started=1
eval "$("$root/scripts/wine-env.sh" start "$build")"
[ "$started" = 1 ] && trap '"$root/scripts/wine-env.sh" stop "$build"' EXIT
source "$root/cmake/wine-env.inc"
qs_wine_env "$QS_WINEPREFIX"

mkdir -p "$root/docs/skins"
for id in $ids; do
  wine "$build/bin/skinpreview.exe" "$build/skins/$id.skin" "$root/docs/skins/$id.png" </dev/null
  echo "docs/skins/$id.png $(stat -c %s "$root/docs/skins/$id.png") bytes"
done
