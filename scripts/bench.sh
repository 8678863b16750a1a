#!/usr/bin/env bash
# Builds and runs every benchmark and prints their figures: the native ones (Google Benchmark)
# directly, the Windows ones under Wine in a private display. Nothing asserts a timing.
#   scripts/bench.sh [all|native|windows] [SKIN]
#     SKIN (a .skin path or a bundled id such as item2) is passed to the Windows benchmarks;
#     without it each takes its own default (the largest bundled skin, or item9).
# The Windows benchmarks run in the 32-bit build where this host can execute it, in the 64-bit
# build otherwise; QS_BENCH_BUILD=win32|win64 picks one.
#   QS_NATIVE_BUILD and QS_WINDOWS_BUILD override build/native and build/<preset>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/cmake/wine-env.inc"
which=${1:-all}
skin=${2:-}
case $which in all | native | windows) ;; *) echo "usage: $0 [all|native|windows] [SKIN]" >&2; exit 2 ;; esac
preset=${QS_BENCH_BUILD:-$(qs_runnable_build)}
case $preset in
win32) toolchain=$root/cmake/mingw-i686.cmake ;;
win64) toolchain=$root/cmake/mingw-x86_64.cmake ;;
*) echo "bench: QS_BENCH_BUILD must be win32 or win64" >&2; exit 2 ;;
esac
native=${QS_NATIVE_BUILD:-$root/build/native}
windows=${QS_WINDOWS_BUILD:-$root/build/$preset}
jobs=$(nproc)

bash "$root/scripts/install-deps.sh" >/dev/null

cpu=$(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1)
echo "== machine: $(uname -srm), ${cpu:-unknown CPU}, $jobs cores, $(/usr/lib/wine/wine64 --version 2>/dev/null || echo 'no Wine')"
echo "   load average: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine skews the figures)"

build() { # dir, extra configure args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" --target qs_benchmarks -j "$jobs" >/dev/null
}

if [ "$which" != windows ]; then
  echo "== native: building in $native"
  build "$native"
  for name in $(cat "$native/bench/benchmarks.txt"); do
    echo
    echo "== $name"
    "$native/bin/$name"
  done
fi

if [ "$which" != native ]; then
  echo
  echo "== $preset: building in $windows"
  build "$windows" -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  # Leave a Wine session that was already running (someone's tests) as it is.
  started=1
  if [ -f "$windows/wine-session" ] && kill -0 "$(sed -n 's/^XVFB_PID=//p' "$windows/wine-session")" 2>/dev/null; then
    started=0
  fi
  eval "$("$root/scripts/wine-env.sh" start "$windows")"
  [ $started = 1 ] && trap '"$root/scripts/wine-env.sh" stop "$windows"' EXIT
  for name in $(cat "$windows/bench/benchmarks.txt"); do
    echo
    "$root/cmake/wine-run.sh" "$QS_WINEPREFIX" "$QS_WINE_ARCH" "$windows/bin/$name.exe" ${skin:+"$skin"} </dev/null
  done
fi
