#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: native (with short fuzz runs),
# then the Windows builds under Wine. Ends with the test summary; exits non-zero when any test fails.
#
# Both Windows builds are always built. The 64-bit tests always run; the 32-bit ones run where the
# host can execute 32-bit programs (some kernels refuse them, and Wine's 32-bit loader with them).
#   QS_BUILDS="native win64"   narrows the run to these builds (default: native win64 win32)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source cmake/wine-env.inc

bash scripts/install-deps.sh || exit 1

builds=${QS_BUILDS:-native win64 win32}
wanted() { [[ " $builds " == *" $1 "* ]]; }
jobs=$(nproc)
status=0
summary=()

run_preset() {
  local preset=$1
  cmake --preset "$preset" >/dev/null || { echo "configure $preset failed"; return 1; }
  cmake --build --preset "$preset" -j "$jobs" || { echo "build $preset failed"; return 1; }
}

# "passed/failed" line of a CTest log, and how long the suite took.
result_line() { # preset, seconds
  echo "$1: $(grep -E 'tests passed|tests failed' "build/$1/ctest.log" | tail -1) ($2 s)"
}

echo "== format"
if bash scripts/check-format.sh; then
  summary+=("format: every file formatted")
else
  status=1
  summary+=("format: unformatted files (run scripts/check-format.sh --fix)")
fi

if wanted native; then
  echo "== native: build"
  if run_preset native; then
    echo "== native: tests"
    start=$SECONDS
    ctest --preset native 2>&1 | tee build/native/ctest.log
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    summary+=("$(result_line native $((SECONDS - start)))")
    if [ "${QS_SKIP_FUZZ:-0}" != 1 ] && [ -x scripts/fuzz.sh ]; then
      echo "== native: short fuzz runs"
      bash scripts/fuzz.sh short || status=1
    fi
  else
    status=1
    summary+=("native: build failed")
  fi
fi

run_windows_suite() { # preset
  local preset=$1
  wanted "$preset" || return 0
  echo "== $preset: build"
  if ! run_preset "$preset"; then
    status=1
    summary+=("$preset: build failed")
    return
  fi
  if [ "$preset" = win32 ] && ! qs_host_runs_win32; then
    local why
    why=$(/usr/lib/wine/wine --version 2>&1 | tail -1)
    summary+=("win32: built, tests skipped: this host cannot execute 32-bit programs (${why:-no 32-bit Wine loader})")
    return
  fi
  echo "== $preset: tests under Wine"
  mkdir -p "build/$preset/screenshots"
  local start=$SECONDS
  eval "$(scripts/wine-env.sh start "build/$preset")"
  qs_wine_env "$QS_WINEPREFIX" "$QS_WINE_ARCH"
  QS_SCREENSHOT_DIR="$(qs_wine winepath -w "build/$preset/screenshots" 2>/dev/null)" \
    ctest --preset "$preset" 2>&1 | tee "build/$preset/ctest.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  scripts/wine-env.sh stop "build/$preset"
  summary+=("$(result_line "$preset" $((SECONDS - start)))")
}

run_windows_suite win64
run_windows_suite win32

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] && echo "all tests passed" || echo "SOME TESTS FAILED"
exit $status
