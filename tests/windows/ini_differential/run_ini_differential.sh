#!/usr/bin/env bash
# Compares sim::ini with the real GetPrivateProfileIntA/WritePrivateProfileStringA
# (run under wine) on the cases in ini_cases.h.
#
# usage: run_ini_differential.sh OUTDIR [--host-cxx CXX] [--win-cxx CXX]
#                                       [--host-exe EXE] [--win-exe EXE]
#
# Without --host-exe/--win-exe both probes are built from the repository's
# sources. The wine prefix lives in OUTDIR/wineprefix; creating it takes
# about ten seconds the first time. Exits 0 when every defined case agrees,
# 1 on a mismatch, 2 when something could not be built or run.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../../.." && pwd)"

usage() {
    sed -n '5,6p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

[[ $# -ge 1 ]] || usage
outdir="$1"
shift
host_cxx="${HOST_CXX:-g++}"
win_cxx="${WIN_CXX:-x86_64-w64-mingw32-g++-posix}"
host_exe=""
win_exe=""
while [[ $# -gt 0 ]]; do
    [[ $# -ge 2 ]] || usage
    case "$1" in
    --host-cxx) host_cxx="$2" ;;
    --win-cxx) win_cxx="$2" ;;
    --host-exe) host_exe="$2" ;;
    --win-exe) win_exe="$2" ;;
    *) usage ;;
    esac
    shift 2
done

mkdir -p "$outdir"
outdir="$(cd "$outdir" && pwd)"
warnings=(-std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Werror -Wconversion -Wold-style-cast)

pids=()
if [[ -z "$host_exe" ]]; then
    host_exe="$outdir/ini_probe_host"
    "$host_cxx" "${warnings[@]}" -O0 -fsanitize=address,undefined -fno-sanitize-recover=all \
        -I"$repo" "$repo/sim/ini_file.cpp" "$here/ini_probe_host.cpp" -o "$host_exe" &
    pids+=($!)
fi
if [[ -z "$win_exe" ]]; then
    win_exe="$outdir/ini_probe_win.exe"
    "$win_cxx" "${warnings[@]}" -O0 -static -static-libgcc -static-libstdc++ \
        "$here/ini_probe_win.cpp" -o "$win_exe" &
    pids+=($!)
fi
for pid in "${pids[@]}"; do
    wait "$pid" || { echo "building a probe failed" >&2; exit 2; }
done

# Each side gets a fresh, empty directory: the Windows probe names its files
# ".\\<case>.ini" relative to the current directory.
rm -rf "$outdir/host_run" "$outdir/wine_run"
mkdir -p "$outdir/host_run" "$outdir/wine_run"

"$host_exe" run "$outdir/host_run" >"$outdir/host.txt" ||
    { echo "host probe failed" >&2; exit 2; }

export WINEPREFIX="$outdir/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="
# stdin and stderr away from the caller: a wineserver left running must not
# hold a test runner's pipes open.
if ! (cd "$outdir/wine_run" && wine "$win_exe" </dev/null >"$outdir/wine.txt" 2>"$outdir/wine.log"); then
    echo "Windows probe failed under wine, see $outdir/wine.log" >&2
    exit 2
fi

"$host_exe" compare "$outdir/host.txt" "$outdir/wine.txt"
