#!/usr/bin/env bash
# Builds and runs the benchmarks: native (Google Benchmark) and the Windows ones under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh native win32
for b in build/native/bench/*_bench; do [ -x "$b" ] && "$b"; done
source scripts/wine-env.sh
sm_start_xvfb
sm_init_prefix
for b in build/win32/bench/*_win.exe; do [ -f "$b" ] && cmake/wine-run.sh "$b"; done
