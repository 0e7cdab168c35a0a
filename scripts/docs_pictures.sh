#!/usr/bin/env bash
# Remakes the pictures of docs/simulator.md from the built-in drive: the menu
# with a slider row selected and the plot of the run; docs/languages.png, the
# first-run notice and the menu in each of the game's languages;
# docs/keys-german.png, the Keys page on a German keyboard in a German game;
# and docs/screens.png, the notice, the menu and the recharge bar on eight
# screens, 5:4 to three 16:9 screens side by side. Needs the host build of
# veloxan-sim (cmake --build --preset host --target
# veloxan-sim) and fonts-wqy-microhei (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
build/host/sim/veloxan-sim --quiet --out "$out"
cp "$out"/*-menu-open-slider-row.png docs/menu.png
cp "$out"/drive-plot.png docs/drive-plot.png
build/host/sim/veloxan-sim --quiet --scenario scenarios/languages.txt --out "$out/languages" \
    --language-sheet docs/languages.png
build/host/sim/veloxan-sim --quiet --scenario scenarios/keys-german.txt --out "$out/keys"
cp "$out"/keys/*-keys-german.png docs/keys-german.png
build/host/sim/veloxan-sim --quiet --scenario scenarios/screens.txt --out "$out/screens" \
    --screen-sheet docs/screens.png
echo "docs/menu.png, docs/drive-plot.png, docs/languages.png, docs/keys-german.png and" \
    "docs/screens.png remade"
