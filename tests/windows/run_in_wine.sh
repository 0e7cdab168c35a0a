#!/usr/bin/env bash
# Runs one Windows program of the test suite under wine, headless, in the
# build's private prefix, and passes its output and exit status on.
#
# usage: run_in_wine.sh PREFIX PROGRAM [ARGS...]
#        run_in_wine.sh PREFIX --init      creates the prefix (once, ~10 s)
#
# wine's output goes through files rather than straight to the caller: the
# wineserver and the services it starts outlive the program, and must not
# hold a test runner's pipes open.
set -uo pipefail

[[ $# -ge 2 ]] || { sed -n '5,6p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all
# No Mono or Gecko installer prompts, no desktop window.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY=

wine_cmd=wine
command -v wine >/dev/null || wine_cmd=wine64
command -v "$wine_cmd" >/dev/null || { echo "wine is not installed" >&2; exit 2; }

out="$(mktemp)"
err="$(mktemp)"
trap 'rm -f "$out" "$err"' EXIT

if [[ "$1" == "--init" ]]; then
    mkdir -p "$WINEPREFIX"
    "$wine_cmd" wineboot --init </dev/null >"$out" 2>"$err"
    status=$?
    # The prefix is complete only once wineboot's server has finished.
    wineserver -w </dev/null >/dev/null 2>&1 || true
    [[ $status -eq 0 ]] || cat "$err" >&2
    exit $status
fi

"$wine_cmd" "$@" </dev/null >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
