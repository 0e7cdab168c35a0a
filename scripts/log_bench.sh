#!/usr/bin/env bash
# The cost of one line of Veloxan.log, twice: the module's log code over
# stand-ins that do real POSIX file I/O (Google Benchmark, bench preset), and
# the same code built for Windows calling the system's own file functions,
# run under wine (windows preset). Prints figures; asserts nothing.
#
# usage: scripts/log_bench.sh [REPETITIONS]      (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions="${1:-5}"

echo "== POSIX stand-ins (build/bench) =="
cmake --preset bench >/dev/null
cmake --build --preset bench --target veloxan-log-bench >/dev/null
build/bench/bench/veloxan-log-bench --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true 2>&1 | grep -v '^\*\*\*WARNING'

echo "== Windows file functions under wine (build/windows) =="
cmake --preset windows >/dev/null
cmake --build --preset windows --target veloxan-log-bench >/dev/null
prefix="$PWD/build/windows/wineprefix"
[[ -d "$prefix" ]] || bash tests/windows/run_in_wine.sh "$prefix" --init
bash tests/windows/run_in_wine.sh "$prefix" build/windows/bench/windows/veloxan-log-bench.exe \
    $((repetitions * 2 - 1))
