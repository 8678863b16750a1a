#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test: native, then Win32 under Wine.
# Ends with the test summary; exits non-zero when any test fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh || exit 1

jobs=$(nproc)
status=0
summary=()

run_preset() {
  local preset=$1
  cmake --preset "$preset" >/dev/null || { echo "configure $preset failed"; return 1; }
  cmake --build --preset "$preset" -j "$jobs" || { echo "build $preset failed"; return 1; }
}

echo "== native: build"
if run_preset native; then
  echo "== native: tests"
  ctest --preset native 2>&1 | tee build/native/ctest.log
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  summary+=("native: $(grep -E 'tests passed|tests failed' build/native/ctest.log | tail -1)")
  if [ "${QS_SKIP_FUZZ:-0}" != 1 ] && [ -x scripts/fuzz.sh ]; then
    echo "== native: short fuzz runs"
    bash scripts/fuzz.sh short || status=1
  fi
else
  status=1
fi

echo "== win32: build"
if run_preset win32; then
  echo "== win32: tests under Wine"
  mkdir -p build/win32/screenshots
  eval "$(scripts/wine-env.sh start build/win32)"
  QS_SCREENSHOT_DIR="$(winepath -w build/win32/screenshots 2>/dev/null)" \
    ctest --preset win32 2>&1 | tee build/win32/ctest.log
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  scripts/wine-env.sh stop build/win32
  summary+=("win32: $(grep -E 'tests passed|tests failed' build/win32/ctest.log | tail -1)")
else
  status=1
fi

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] && echo "all tests passed" || echo "SOME TESTS FAILED"
exit $status
