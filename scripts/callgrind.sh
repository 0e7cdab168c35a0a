#!/usr/bin/env bash
# The module's own instructions per main-loop pass in each situation, counted
# by valgrind's callgrind against the bare stand-ins (bench/bare_game.cpp).
# Instruction counts do not depend on the machine's load, unlike times.
#
# usage: scripts/callgrind.sh [PASSES]      (default 1000)
#
# How the module's share is separated: callgrind collects only inside
# RunMeasuredPasses (--toggle-collect), so start-up and the way into the
# situation are left out. Every instruction collected is then charged to the
# source file it was compiled from (the bench build has debug information):
# what comes from bench/ is the stand-ins and the loop around the passes;
# everything else is the module, with the C library code it calls.
set -euo pipefail
cd "$(dirname "$0")/.."

passes="${1:-1000}"
situations=(idle_on_foot idle_in_car first_run_notice menu_still menu_still_pad_menu menu_sliding
            spool_up boosting_with_flames recharging paused key_wait)

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
program=build/bench/bench/veloxan-frame-passes
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

printf '%-22s %10s %10s %8s %12s\n' situation module/pass stand-ins natives module/native
for situation in "${situations[@]}"; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$situation.out" --collect-atstart=no \
        --toggle-collect='*RunMeasuredPasses*' "$program" "$situation" "$passes" \
        >"$out/$situation.txt" 2>"$out/$situation.log"
    natives="$(sed -n 's/.* \([0-9.]*\) natives .*/\1/p' "$out/$situation.txt")"
    callgrind_annotate --auto=no --threshold=100 "$out/$situation.out" |
        awk -v passes="$passes" -v natives="$natives" -v name="$situation" -v bench="$PWD/bench/" '
            # "1,234 ( 5.6%)  /path/file.cpp:function [program]"
            match($0, /^ *[0-9,]+ +\( *[0-9.]+%\) +[^ ]/) && $0 !~ /PROGRAM TOTALS/ {
                ir = $1; gsub(",", "", ir)
                where = substr($0, RLENGTH)
                # Built through ccache with CCACHE_BASEDIR, the paths are
                # relative to the build folder: "build/bench/bench/../../../bench/".
                if (index(where, bench) == 1 || index(where, "bench/") == 1 ||
                    index(where, "../bench/") > 0) {
                    bare += ir
                } else {
                    module += ir
                }
            }
            END {
                perNative = natives > 0 ? sprintf("%.1f", module / passes / natives) : "-"
                printf "%-22s %10.1f %10.1f %8s %12s\n", name, module / passes, bare / passes,
                       natives, perNative
            }'
done
