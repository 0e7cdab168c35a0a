#!/usr/bin/env bash
# Builds the Windows preset and runs its tests: the real Veloxan.asi in the
# Windows loader under wine (one process per scenario), the static checks of
# the built file, the INI differential, the release package and the
# reproducibility of the build. Exits non-zero when anything fails.
#
# usage: tests/windows/run_windows_tests.sh [BUILD_DIR]     (default build/win)
#
# Needs: cmake, g++ (build-machine tools), g++-mingw-w64-x86-64-posix,
# binutils-mingw-w64-x86-64, wine and wine64.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-build/win}"
cd "$repo"

cmake --preset windows -B "$build"
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
