#!/usr/bin/env bash
# Builds the benchmark and the driver it measures, runs it and prints its table.
#
# Usage: bench/run_bench.sh [--no-wine] [TAVRIK_BENCH OPTION...]
#
# Builds tavrik_bench in the native preset's tree and, for the Wine row, bench_wine.exe with
# TAVRIK32.dll in the mingw32 preset's tree, boots a Wine prefix of the benchmark's own there
# (bench-wine-prefix, apart from the tests' prefix) if it has none, and runs tavrik_bench from an
# empty temporary directory, so that no initialisation file lying about changes what it measures.
# TAVRIK_BENCH_NATIVE_DIR and TAVRIK_BENCH_MINGW_DIR name other build trees, configured already.
# Options after --no-wine go to tavrik_bench (--quick, --transactions N, --rounds N, ...).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

wine=yes
if [ "${1:-}" = --no-wine ]; then
  wine=no
  shift
fi
for option in "$@"; do
  [ "$option" != --quick ] || wine=no  # the quick run has no Wine row
done

native=${TAVRIK_BENCH_NATIVE_DIR:-}
if [ -z "$native" ]; then
  cmake --preset native >/dev/null
  native=build/native
fi
native=$(realpath "$native")
cmake --build "$native" -j "$jobs" --target tavrik_bench >/dev/null

wine_options=()
if [ $wine = yes ]; then
  mingw=${TAVRIK_BENCH_MINGW_DIR:-}
  if [ -z "$mingw" ]; then
    cmake --preset mingw32 >/dev/null
    mingw=build/mingw32
  fi
  mingw=$(realpath "$mingw")
  cmake --build "$mingw" -j "$jobs" --target bench_wine >/dev/null
  prefix=$mingw/bench-wine-prefix
  if [ ! -d "$prefix/drive_c" ]; then
    echo "run_bench: booting the Wine prefix $prefix" >&2
    WINE_PREFIX_DIR=$prefix timeout 600 "$root/cmake/wine-run.sh" wineboot --init >/dev/null 2>&1
    WINE_PREFIX_DIR=$prefix "$root/cmake/wine-stop.sh" >/dev/null 2>&1
  fi
  wine_options=(--wine-exe "$mingw/bin/bench_wine.exe" --wine-run "$root/cmake/wine-run.sh"
                --wine-stop "$root/cmake/wine-stop.sh" --wine-prefix "$prefix")
fi

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
"$native/bin/tavrik_bench" "${wine_options[@]}" "$@"
