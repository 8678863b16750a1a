#!/usr/bin/env bash
# Hostile-skin torture runs outside the test command: N mutated skins (case numbers 0 .. N-1 of a
# seed), each loaded into the gallery and painted everywhere, under Wine. The run goes in chunks of
# QS_TORTURE_CHUNK cases (default 100), so a crash or hang ends one chunk only: the case it
# happened in is reported and the run goes on after it.
#   scripts/torture.sh N [SEED]
# Runs in the 32-bit build where this host can execute it, else the 64-bit one;
# QS_TORTURE_BUILD=win32|win64 picks one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source cmake/wine-env.inc
cases=${1:?usage: scripts/torture.sh N [SEED]}
seed=${2:-20261210}
chunk=${QS_TORTURE_CHUNK:-100}
preset=${QS_TORTURE_BUILD:-$(qs_runnable_build)}

bash scripts/install-deps.sh >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build "build/$preset" --target skin_torture_test -j "$(nproc)" >/dev/null
eval "$(scripts/wine-env.sh start "build/$preset")"
log=$(mktemp)
report=$(mktemp)
trap 'rm -f "$log" "$report"' EXIT

echo "== $preset: $cases cases, seed $seed, $chunk a run"
start=$SECONDS
first=0
while ((first < cases)); do
  count=$((cases - first < chunk ? cases - first : chunk))
  QS_TORTURE_FIRST=$first QS_TORTURE_CASES=$count QS_TORTURE_SEED=$seed QS_TORTURE_TRACE=1 \
    cmake/wine-run.sh "$QS_WINEPREFIX" "$QS_WINE_ARCH" "build/$preset/bin/skin_torture_test.exe" \
    --gtest_filter='SkinTorture.MutatedSkins*' 2>&1 | tr -d '\r' >"$log" || true
  cat "$log" >>"$report"
  last=$(grep -E '^case [0-9]+ ' "$log" | tail -n 1 | awk '{print $2}')
  if grep -qE '^(CRASH|HANG)' "$log"; then
    grep -E '^(CRASH|HANG)' "$log" | head -n 1
    first=$((${last:-$first} + 1))
  elif ! grep -q '^\[  PASSED  \]\|^\[  FAILED  \]' "$log"; then
    echo "run from case $first ended without a result; last case: ${last:-none}"
    first=$((${last:-$first} + 1))
  else
    first=$((first + count))
  fi
  echo "   ... $first of $cases cases, $((SECONDS - start)) s"
done

echo "== cases run per class"
grep -E '^case [0-9]+ ' "$report" | awk '{print $7}' | sort | uniq -c | awk '{printf "  %-18s %d\n", $2, $1}'
echo "   total $(grep -cE '^case [0-9]+ ' "$report") in $((SECONDS - start)) s"
echo "== crashes and hangs"
grep -E '^(CRASH|HANG)' "$report" || echo "  none"
echo "== failures"
# A failure's message and the case it happened in (its trace line).
if grep -q ': Failure$' "$report"; then
  # Each failure's message down to the case it happened in (its trace line), or to the end of
  # the test when it failed outside a case.
  awk '/: Failure$/ {show = 1} show && !/Google Test trace:/ {print "  " $0}
       /: case [0-9]+ seed|^\[  FAILED  \]/ {show = 0}' "$report" | head -n 200
else
  echo "  none"
fi
echo "== GDI and USER objects, run by run"
grep -E '^[0-9]+ cases from' "$report" | sed 's/^/  /' || true
