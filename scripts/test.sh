#!/usr/bin/env bash
# Builds both targets and runs every test: the host build (module + simulated
# game, under AddressSanitizer and UBSan) and the Windows build (Veloxan.asi
# under wine, its static checks and the release package).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== host build and tests =="
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

echo "== Windows build and tests =="
bash tests/windows/run_windows_tests.sh build/windows
