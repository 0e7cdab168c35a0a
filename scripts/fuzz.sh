#!/usr/bin/env bash
# Fuzzes the host build's profile functions and LoadSettings/SaveSettings on
# arbitrary Veloxan.ini bytes with libFuzzer (clang, ASan, UBSan).
#   bash scripts/fuzz.sh [seconds]      default 60; the test command's run
# The inputs found are kept in build/fuzz/corpus, so a later run goes on from
# there; fuzz/corpus holds the seeds. A finding stops the run, prints the
# field that broke and leaves the input as build/fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target veloxan_settings_fuzz
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/veloxan_settings_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ build/fuzz/corpus fuzz/corpus
