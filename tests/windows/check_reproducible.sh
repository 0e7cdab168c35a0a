#!/usr/bin/env bash
# The same commit builds the same bytes: builds the module and the release
# zip once more, in another build directory (so a build path that leaks into
# the output shows), and compares them with the reference build's.
#
# usage: check_reproducible.sh SOURCE_DIR REFERENCE_BUILD_DIR SCRATCH_BUILD_DIR ZIP_NAME
set -euo pipefail

[[ $# -eq 4 ]] || { sed -n '6p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }
source_dir="$1"
reference="$2"
scratch="$3"
zip_name="$4"

rm -rf "$scratch"
(cd "$source_dir" && cmake --preset windows -B "$scratch") >"$scratch.configure.log" 2>&1 ||
    { cat "$scratch.configure.log" >&2; exit 2; }
cmake --build "$scratch" -j2 --target Veloxan veloxan_package >"$scratch.build.log" 2>&1 ||
    { tail -n 40 "$scratch.build.log" >&2; exit 2; }

status=0
for file in src/Veloxan.asi "$zip_name"; do
    if cmp -s "$reference/$file" "$scratch/$file"; then
        echo "ok    $file: the same $(stat -c %s "$reference/$file") bytes from both builds"
    else
        echo "FAIL  $file differs between $reference and $scratch"
        cmp "$reference/$file" "$scratch/$file" | head -n 1 || true
        status=1
    fi
done
exit $status
