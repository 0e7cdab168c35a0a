#!/usr/bin/env bash
# clang-tidy over the module's sources (src/) with the checks of .clang-tidy;
# fails on any finding. Reads the host build's compile database
# (build/host/compile_commands.json), configuring the host preset if needed.
# JOBS sets the parallel runs (2 by default).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -f build/host/compile_commands.json ]; then
    cmake --preset host >/dev/null
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# The file argument is a pattern over the database's absolute paths.
run-clang-tidy-14 -quiet -j "${JOBS:-2}" -p build/host "^$PWD/src/" >"$log" 2>&1 || status=$?
# Keep the findings and any error of the tool itself; drop the progress lines.
grep -v -e '^clang-tidy-14 ' -e ' warnings\? generated\.$' -e '^Suppressed [0-9]* warnings' \
    -e '^Use -header-filter=' "$log" || true
if [ "$status" -ne 0 ]; then
    echo "check_tidy: clang-tidy reported findings in src/ (see above)" >&2
    exit 1
fi
echo "check_tidy: src/ is clean"
