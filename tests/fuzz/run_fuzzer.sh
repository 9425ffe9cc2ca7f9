#!/usr/bin/env bash
# Runs a libFuzzer target over its committed seed corpus for a fixed number of runs. New inputs
# go to a scratch folder, so the committed corpus is never changed; a finding is written to the
# current directory and fails the run.
#   run_fuzzer.sh FUZZER SEED_DIR RUNS [libFuzzer options...]
set -euo pipefail
fuzzer=$1 seeds=$2 runs=$3
shift 3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
exec "$fuzzer" -runs="$runs" -print_final_stats=1 "$@" "$scratch" "$seeds"
