#!/usr/bin/env bash
# Starts or stops the display and Wine server that a Windows build's tests run in.
#   eval "$(scripts/wine-env.sh start BUILD_DIR)"   private Xvfb, prefix ready, one warm wineserver
#   scripts/wine-env.sh stop BUILD_DIR              stops only what start started
# The build tree says its bitness (win32 or win64); the prefix, loader and server follow it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmd=${1:?start or stop}
build=$(mkdir -p "${2:?build dir}" && cd "$2" && pwd)
prefix=${QS_WINEPREFIX:-$build/wineprefix}
state=$build/wine-session
source "$root/cmake/wine-env.inc"

case $cmd in
start)
  if [ -f "$state" ]; then
    # A previous session of this build tree may still be alive: reuse it.
    source "$state"
    if kill -0 "$XVFB_PID" 2>/dev/null; then cat "$state"; exit 0; fi
  fi
  arch=$(qs_build_arch "$build")
  n=${QS_DISPLAY_FROM:-90}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${QS_SCREEN:-1024x768}x24" -nolisten tcp -dpi 96 >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  export DISPLAY=":$n"
  "$root/cmake/wine-prefix.sh" "$prefix" "$arch" >&2
  qs_wine_env "$prefix" "$arch"
  # A persistent server, and Wine's background processes started detached from any test's pipes.
  qs_wineserver -p
  qs_wine wineboot >/dev/null 2>&1 </dev/null
  {
    echo "export DISPLAY=:$n"
    echo "XVFB_PID=$xvfb"
    echo "QS_WINEPREFIX=$prefix"
    echo "QS_WINE_ARCH=$arch"
  } > "$state"
  cat "$state"
  ;;
stop)
  [ -f "$state" ] || exit 0
  source "$state"
  qs_wine_env "$QS_WINEPREFIX" "$QS_WINE_ARCH"
  qs_wineserver -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  rm -f "$state"
  ;;
*) echo "usage: $0 start|stop BUILD_DIR" >&2; exit 2 ;;
esac
