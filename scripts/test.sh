#!/usr/bin/env bash
# Builds every configuration and runs every test tier:
#   native    Linux x86-64
#   native32  Linux i386 (-m32)
#   asan      Linux x86-64 under AddressSanitizer and UndefinedBehaviorSanitizer
#   mingw32   TAVRIK32.dll and PELTAR.DLL cross-built for 32-bit Windows, tested under Wine
#   fuzz      libFuzzer targets (clang), each run for a fixed count over its seed corpus
# Usage: scripts/test.sh [PRESET...]   (all five by default)
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native32 asan mingw32 fuzz)
jobs=$(nproc)

failed=()
for preset in "${presets[@]}"; do
  echo "=== $preset ==="
  if cmake --preset "$preset" >/dev/null &&
     cmake --build --preset "$preset" -j "$jobs" &&
     ctest --preset "$preset" -j "$jobs"; then
    echo "=== $preset: all tests passed ==="
  else
    echo "=== $preset: FAILED ==="
    failed+=("$preset")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed configurations: ${failed[*]}"
  exit 1
fi
echo "All configurations passed: ${presets[*]}"
