#!/usr/bin/env bash
# End to end: the real program in a real X server, driven like a user would.
# Usage: e2e.sh <signova binary> <examples folder> <folder for screenshots>
# SIGNOVA_EMULATOR, when set, is the command that runs the binary (a cross
# build's emulator, e.g. qemu-aarch64).
set -euo pipefail
read -ra emulator <<<"${SIGNOVA_EMULATOR:-}"
program=$1
examples=$2
shots=$3
mkdir -p "$shots"

fail() { echo "FAIL: $*"; exit 1; }

# Pixels of one colour within a rectangle of the last screenshot.
count_color() { # file x y w h colour
    convert "$1" -crop "$4x$5+$2+$3" +repage -fuzz 12% -fill black +opaque "$6" \
        -fill white -opaque "$6" -format '%[fx:round(mean*w*h)]' info:
}

shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }

# Takes screenshots until the chart shows a lime trace (or 15 s have passed).
shot_with_trace() { # name
    local file pixels
    for _ in $(seq 30); do
        file=$(shot "$1")
        pixels=$(count_color "$file" $((X + 252)) $((Y + 22)) 377 294 lime)
        [ "$pixels" -gt 600 ] && break
        sleep 0.5
    done
    echo "$file"
}

"${emulator[@]}" "$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name '^SIGNOVA$' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")" # X Y WIDTH HEIGHT
echo "window at $X,$Y size ${WIDTH}x${HEIGHT}"
[ "$WIDTH" -eq 794 ] && [ "$HEIGHT" -eq 550 ] || fail "window is ${WIDTH}x${HEIGHT}, not 794x550"

click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.2; }

# The client area is 8 x 27 pixels larger than the one the bounds are laid out
# in: boxes anchored right or bottom move by that much.
start=$(shot startup)
readout=$(count_color "$start" $((X + 16)) $((Y + 24)) 205 65 red)
[ "$readout" -gt 100 ] || fail "no red frequency read-out ($readout pixels)"

# The first run by keyboard alone. 500 Hz: X 100 (Alt+2) and the dial, which
# has the focus at start, at 5000 (page steps of 10 from 1000). Then Tab to
# the page tabs, Right to "FIR Filters", Tab into the table, type a new h0,
# Enter, and F5 runs.
xdotool windowfocus --sync "$window"
xdotool key alt+2
xdotool key --repeat 400 --delay 1 Page_Up
xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab Tab Tab Right Right Right Tab
xdotool type --delay 20 0.5
xdotool key --delay 20 Return F5
running=$(shot_with_trace running)
chart_x=$((X + 252)); chart_y=$((Y + 22))
lime=$(count_color "$running" $chart_x $chart_y 377 294 lime)
echo "lime trace pixels while running: $lime"
[ "$lime" -gt 600 ] || fail "no lime trace while running ($lime pixels)"
# Shift+F5 stops.
xdotool key shift+F5
sleep 0.5
stopped=$(shot stopped)
frozen=$(count_color "$stopped" $chart_x $chart_y 377 294 lime)
echo "lime trace pixels after Stop: $frozen"
[ "$frozen" -gt 600 ] || fail "the last sweep did not stay on screen ($frozen pixels)"
label=$(count_color "$stopped" $((X + 12)) $((Y + 439)) 93 25 red)
[ "$label" -lt 50 ] || fail "\"Running\" still shown after Stop"

# Load the high-pass example through the real file dialog: the smoothed
# 500 Hz sine is filtered away, so the output trace changes.
click 268 491
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "Open" | head -n 1) || fail "no file dialog"
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool type --delay 2 "$examples/fir_high_pass_6k.txt"
xdotool key Return
sleep 1
click 58 485
sleep 1
loaded=$(shot_with_trace loaded)
click 58 521
after=$(count_color "$loaded" $chart_x $chart_y 377 294 lime)
echo "lime trace pixels with the high-pass loaded: $after"
convert "$stopped" -crop 377x294+$chart_x+$chart_y +repage "$shots/chart_before.png"
convert "$loaded" -crop 377x294+$chart_x+$chart_y +repage "$shots/chart_after.png"
difference=$(compare -metric AE -fuzz 5% "$shots/chart_before.png" "$shots/chart_after.png" \
    null: 2>&1 || true)
echo "pixels changed by the load: $difference"
[ "${difference%%.*}" -gt 300 ] || fail "loading the example did not change the trace"

echo "PASS"
