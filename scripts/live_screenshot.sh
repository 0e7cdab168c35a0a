#!/usr/bin/env bash
# Takes the picture of `veloxan-sim --live` that README.md and
# docs/simulator.md show, the way a player would see it: the program runs on a
# virtual X display (xvfb-run), xdotool types into its window (Home to get
# into a car, Up for the throttle, Shift + T to open the module's menu, numpad
# 2 to walk down to a slider, F1 for the HUD's key list), and xwd takes the
# screen, which netpbm cuts to the window and turns into docs/live.png.
# Needs the host build of veloxan-sim (cmake --build --preset host --target
# veloxan-sim); installs the X tools it uses from Debian's packages.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh xvfb xauth xdotool x11-apps netpbm

sim=build/host/sim/veloxan-sim
[ -x "$sim" ] || {
    echo "live_screenshot: build $sim first (cmake --build --preset host --target veloxan-sim)"
    exit 1
}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The part that runs inside the virtual display.
cat >"$out/session.sh" <<'EOF'
set -euo pipefail
sim=$1 out=$2 shot=$3
SDL_AUDIODRIVER=dummy "$sim" --live --quiet --out "$out/run" --record "$out/run/session.txt" \
    >"$out/sim.log" 2>&1 &
pid=$!
win=$(xdotool search --sync --name 'veloxan-sim --live' | head -1)
xdotool windowfocus --sync "$win"
sleep 1
hold() { xdotool keydown "$1"; sleep "${2:-0.15}"; xdotool keyup "$1"; sleep 0.3; }
hold Home
xdotool keydown Up
sleep 1.5
# Shift + T opens the menu; the keypad walks it with Num Lock on.
xdotool keydown Shift_L
sleep 0.1
hold t
xdotool keyup Shift_L
sleep 0.8
# Num Lock on (a new display starts with it off); then the keypad's key 2
# by the name of its other level, since xdotool would toggle Num Lock itself
# to type "KP_2".
xdotool key Num_Lock
sleep 0.2
hold KP_Down
hold KP_Down
hold F1
sleep 0.5
# The whole screen, cut to the window: xwdtopnm misreads the colours of the
# window's own (DirectColor) visual, not those of the screen's.
eval "$(xdotool getwindowgeometry --shell "$win")"
xwd -root -silent | xwdtopnm 2>/dev/null | pamcut -left "$X" -top "$Y" -width "$WIDTH" \
    -height "$HEIGHT" | pnmtopng >"$shot"
xdotool keyup Up
hold Escape
for _ in $(seq 1 30); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
done
wait "$pid"
EOF
mkdir -p "$out/run"
xvfb-run -a -s "-screen 0 1280x720x24" \
    bash "$out/session.sh" "$PWD/$sim" "$out" "$out/live.png"
cp "$out/live.png" docs/live.png
echo "docs/live.png taken; the session it came from:"
grep -v '^#' "$out/run/session.txt"
