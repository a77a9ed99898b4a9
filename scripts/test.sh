#!/usr/bin/env bash
# Sets up the machine, builds every target and runs every test: the native suites, the Windows
# suites under Wine and Xvfb, and the fuzz targets for a bounded time.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh || exit 1
scripts/build.sh native win32 fuzz || { echo "build failed"; exit 1; }

source scripts/wine-env.sh
sm_start_xvfb
sm_init_prefix

total_pass=0; total_fail=0; failed=()
run_suite() {
  local preset=$1 log="$root/build/ctest-$1.log"
  echo "== $preset tests"
  ctest --preset "$preset" -j "${SM_JOBS:-2}" 2>&1 | tee "$log" | grep -E 'tests passed|Failed|\*\*\*|Not Run' || true
  if grep -q 'No tests were found' "$log"; then echo "(no tests)"; return; fi
  local line; line=$(grep -E '[0-9]+% tests passed' "$log" | tail -1)
  local fail total
  fail=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  [[ "$fail" =~ ^[0-9]+$ && "$total" =~ ^[0-9]+$ ]] || { fail=1; total=1; }
  total_pass=$((total_pass + total - fail)); total_fail=$((total_fail + fail))
  [ "$fail" -eq 0 ] || failed+=("$preset")
}
run_suite native
run_suite win32
run_suite fuzz
wineserver -k 2>/dev/null || true

[ ${#failed[@]} -eq 0 ] || echo "failing suites: ${failed[*]} (logs in build/ctest-*.log)"
echo "$total_pass passed, $total_fail failed"
[ "$total_fail" -eq 0 ]
