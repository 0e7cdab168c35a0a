#!/usr/bin/env bash
# Builds both targets and runs every test: the format and clang-tidy checks,
# the host build (module + simulated game, under AddressSanitizer and UBSan)
# and the Windows build (Veloxan.asi under wine, its static checks and the
# release package).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== format and clang-tidy =="
bash scripts/check_format.sh
cmake --preset host >/dev/null
bash scripts/check_tidy.sh

echo "== host build and tests =="
cmake --build --preset host
ctest --preset host

echo "== Windows build and tests =="
bash tests/windows/run_windows_tests.sh build/windows
