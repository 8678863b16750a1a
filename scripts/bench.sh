#!/usr/bin/env bash
# Builds and runs every benchmark and prints their figures: the native ones (Google Benchmark)
# directly, the Win32 ones under Wine in a private display. Nothing asserts a timing.
#   scripts/bench.sh [all|native|win32] [SKIN]
#     SKIN (a .skin path or a bundled id such as item2) is passed to the Win32 benchmarks;
#     without it each takes its own default (the largest bundled skin, or item9).
#   QS_NATIVE_BUILD and QS_WIN32_BUILD override build/native and build/win32.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
skin=${2:-}
case $which in all | native | win32) ;; *) echo "usage: $0 [all|native|win32] [SKIN]" >&2; exit 2 ;; esac
native=${QS_NATIVE_BUILD:-$root/build/native}
win32=${QS_WIN32_BUILD:-$root/build/win32}
jobs=$(nproc)

bash "$root/scripts/install-deps.sh" >/dev/null

cpu=$(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1)
echo "== machine: $(uname -srm), ${cpu:-unknown CPU}, $jobs cores, $(wine --version 2>/dev/null || echo 'no Wine')"
echo "   load average: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine skews the figures)"

build() { # dir, extra configure args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" --target qs_benchmarks -j "$jobs" >/dev/null
}

if [ "$which" != win32 ]; then
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
  echo "== win32: building in $win32"
  build "$win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
  # Leave a Wine session that was already running (someone's tests) as it is.
  started=1
  if [ -f "$win32/wine-session" ] && kill -0 "$(sed -n 's/^XVFB_PID=//p' "$win32/wine-session")" 2>/dev/null; then
    started=0
  fi
  eval "$("$root/scripts/wine-env.sh" start "$win32")"
  [ $started = 1 ] && trap '"$root/scripts/wine-env.sh" stop "$win32"' EXIT
  for name in $(cat "$win32/bench/benchmarks.txt"); do
    echo
    "$root/cmake/wine-run.sh" "$QS_WINEPREFIX" "$win32/bin/$name.exe" ${skin:+"$skin"} </dev/null
  done
fi
