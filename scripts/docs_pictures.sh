#!/usr/bin/env bash
# Remakes the pictures of docs/simulator.md from the built-in drive: the menu
# with a slider row selected and the plot of the run. Needs the host build of
# veloxan-sim (cmake --build --preset host --target veloxan-sim).
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
build/host/sim/veloxan-sim --quiet --out "$out"
cp "$out"/*-menu-open-slider-row.png docs/menu.png
cp "$out"/drive-plot.png docs/drive-plot.png
echo "docs/menu.png and docs/drive-plot.png remade"
