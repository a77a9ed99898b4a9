#!/usr/bin/env bash
# Configures and builds the named presets (default: native win32). Warnings are errors under CI.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF; [ -n "${CI:-}" ] && werror=ON
presets=("$@"); [ ${#presets[@]} -eq 0 ] && presets=(native win32)
for p in "${presets[@]}"; do
  if [ ! -f "build/$p/build.ninja" ]; then
    cmake --preset "$p" -DSM_WERROR=$werror >/dev/null
  else
    cmake -S . -B "build/$p" -DSM_WERROR=$werror >/dev/null
  fi
  cmake --build --preset "$p" -- -k 0 | grep -v '^\[' || true
  test "${PIPESTATUS[0]}" -eq 0
done
