#!/usr/bin/env bash
# Draws the contact sheet of every bundled skin with skinpreview under Wine: docs/skins/<id>.png.
#   scripts/skin-sheets.sh [BUILD_DIR]     the Windows build tree to use (default: build/win32 where
#                                          this host runs 32-bit programs, build/win64 otherwise)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/cmake/wine-env.inc"
preset=$(qs_runnable_build)
build=$(realpath -m "${1:-$root/build/$preset}")
ids="default item0 item1 item2 item3 item4 item5 item6 item7 item8 item9"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$([ "$preset" = win32 ] && echo mingw-i686 || echo mingw-x86_64).cmake" >/dev/null
fi
cmake --build "$build" --target skinpreview qs_skins

# Reuse a running Wine session of this tree; stop only the one started here.
started=0
[ -f "$build/wine-session" ] || started=1
eval "$("$root/scripts/wine-env.sh" start "$build")"
[ "$started" = 1 ] && trap '"$root/scripts/wine-env.sh" stop "$build"' EXIT
qs_wine_env "$QS_WINEPREFIX" "$QS_WINE_ARCH"

mkdir -p "$root/docs/skins"
for id in $ids; do
  qs_wine "$build/bin/skinpreview.exe" "$build/skins/$id.skin" "$root/docs/skins/$id.png" </dev/null
  echo "docs/skins/$id.png $(stat -c %s "$root/docs/skins/$id.png") bytes"
done
