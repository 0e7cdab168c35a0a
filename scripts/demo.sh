#!/usr/bin/env bash
# The main job: builds the module (Windows DLL and release package, and the
# host build of the same sources) and runs it in the simulated game through the
# built-in drive (scenarios/drive.txt), printing the timeline and writing the
# pictures, the plot and the CSV to veloxan-sim-out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset host >/dev/null
cmake --build --preset host --target veloxan-sim

echo
echo "Built: build/windows/src/Veloxan.asi and the release package in build/windows/"
echo
rm -rf veloxan-sim-out
build/host/sim/veloxan-sim --out veloxan-sim-out
