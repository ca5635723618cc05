#!/usr/bin/env bash
# Takes the screenshots of docs/TEACHING.md from the built program, each step
# from a fresh start, the way a teacher would set the controls.
# Usage: xvfb-run -a -s '-screen 0 1280x1024x24' tools/teaching_screenshots.sh \
#            build/ui/signova docs/teaching [step ...]
set -euo pipefail
program=$(realpath "$1")
out=$2
shift 2
steps=("${@:-1 2 3 4 5 6 7 cursors projector}")
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
pid=

trace_pixels() { # file colour
    convert "$1" -crop "377x294+$((X + 252))+$((Y + 22))" +repage -fuzz 12% \
        -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}
start() {
    [ -z "$pid" ] || { kill "$pid"; wait "$pid" 2>/dev/null || true; }
    rm -rf "$work/config"
    XDG_CONFIG_HOME="$work/config" "$program" &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name '^SIGNOVA$' | head -n 1)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")" # X Y WIDTH HEIGHT
}
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.2; }
double_click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click --repeat 2 1; sleep 0.2; }
# Replaces the text of the edit field or table cell that has the focus.
type_text() {
    xdotool key ctrl+a BackSpace
    [ -z "$1" ] || xdotool type --delay 5 -- "$1"
    sleep 0.2
}
run() { click 58 485; }
stop() { click 58 521; }
fir_page() { click 616 380; }
iir_page() { click 530 380; }
settings_page() { click 360 380; }
range() { # X 10, X 100, X 1k, X 10k
    case $1 in 10) click 41 120 ;; 100) click 93 120 ;; 1k) click 144 120 ;; 10k) click 197 120 ;; esac
}
dial() { # position, from the start-up 1000 (page keys step 10)
    click 20 178
    xdotool key --repeat $((($1 - 1000) / 10)) --delay 1 Page_Up
    sleep 0.3
}
amplitude_down() { # by pages of 10, then by ones
    local _
    for _ in $(seq "$1"); do click 125 228; done
    for _ in $(seq "${2:-0}"); do click 112 228; done
}
gain_up() { # by pages of 10 towards the left end
    local _
    for _ in $(seq "$1"); do click 665 276; done
}
waveshape() { click 150 278; type_text "$1"; }
bits() { settings_page; click 415 428; type_text "$1"; }
input_normalised() { click 650 97; }
filter_box() { click 648 222; }
timebase_fast() { click 650 143; }
load_example() { # name; the example place of the file dialog, then the name
    click 268 491
    local dialog
    dialog=$(xdotool search --sync --onlyvisible --name '^Open$' | head -n 1)
    eval "$(xdotool getwindowgeometry --shell --prefix DIALOG_ "$dialog")"
    sleep 0.5
    xdotool mousemove --sync $((DIALOG_X + 55)) $((DIALOG_Y + 106)) click 1
    sleep 0.3
    xdotool mousemove --sync $((DIALOG_X + 300)) $((DIALOG_Y + 358)) click 1
    xdotool type --delay 5 "$1"
    xdotool key Return
    sleep 1
}
# Waits for a trace, then saves the window as a small palette PNG.
save() { # name [seconds to wait first]
    sleep "${2:-0}"
    for _ in $(seq 30); do
        import -window root "$work/screen.png"
        # Lime lines, or green steps with lime sample marks.
        [ $(($(trace_pixels "$work/screen.png" lime) + $(trace_pixels "$work/screen.png" green))) \
            -gt 300 ] && break
        sleep 0.5
    done
    convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage +dither -colors 64 \
        -strip "PNG8:$out/$1.png"
    echo "$out/$1.png"
}
# Opens the context menu at a point of the main window and picks its first item.
first_menu_item() { # x y
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 3
    sleep 0.5
    xdotool key Down Return
}
# Saves the window of that title once it has drawn, as a small palette PNG.
save_window() { # name title [seconds to wait first]
    local view
    view=$(xdotool search --sync --onlyvisible --name "$2" | head -n 1)
    sleep "${3:-1}"
    import -window root "$work/screen.png"
    eval "$(xdotool getwindowgeometry --shell --prefix VIEW_ "$view")"
    convert "$work/screen.png" -crop "${VIEW_WIDTH}x${VIEW_HEIGHT}+$VIEW_X+$VIEW_Y" +repage \
        +dither -colors 64 -strip "PNG8:$out/$1.png"
    echo "$out/$1.png"
}

# 1: a 1 kHz sine through the start-up 48-tap moving average.
step1() {
    start
    range 1k
    fir_page
    run
    save 1_moving_average 1
}

# 2: 47 kHz sampled at 48 kHz looks like 1 kHz.
step2() {
    start
    range 10k
    dial 4700
    fir_page
    run
    save 2_aliasing 1
}

# 3: 1 kHz at 3 per cent amplitude, 8 bits, the input stretched back.
step3() {
    start
    range 1k
    amplitude_down 9 7
    input_normalised
    filter_box
    timebase_fast
    bits 8
    fir_page
    run
    save 3_quantisation 1
}

# 4: a 500 Hz square wave through the low-pass and the high-pass examples.
step4() {
    start
    range 100
    dial 5000
    amplitude_down 5
    waveshape Square
    fir_page
    load_example fir_low_pass_3k.txt
    run
    save 4_low_pass 1
    stop
    load_example fir_high_pass_6k.txt
    run
    save 4_high_pass 1
}

# 5: one coefficient of 1.5: the output wraps around.
step5() {
    start
    range 1k
    fir_page
    double_click 690 424
    type_text 1.5
    xdotool key Return
    double_click 690 448
    type_text ""
    xdotool key Return
    run
    save 5_wrap_around 1
}

# 6: the 1 kHz resonator rings after every edge of a 100 Hz square wave.
step6() {
    start
    range 100
    waveshape Square
    iir_page
    load_example iir_resonator_1k.txt
    gain_up 3
    run
    save 6_resonator 1
    stop
    # Poles outside the unit circle: a2 = -1.0201.
    double_click 634 489
    type_text -1.0201
    xdotool key Return
    run
    save 6_unstable 2
}

# 7: the 3 kHz low-pass's frequency response, and the spectra of a 1 kHz
# square wave going through it.
step7() {
    for view in response spectrum; do
        start
        range 1k
        amplitude_down 5
        waveshape Square
        fir_page
        load_example fir_low_pass_3k.txt
        if [ $view = response ]; then
            first_menu_item 690 424 # the FIR table
            save_window 7_response 'Frequency response'
        else
            run
            first_menu_item 300 120 # the oscilloscope
            save_window 7_spectrum 'Spectrum' 1.5
        fi
    done
}

# Picks the item at `index` (from 0, separators not counted) of the oscilloscope's menu.
scope_menu() { # index
    xdotool mousemove --sync $((X + 300)) $((Y + 120)) click 3
    sleep 0.5
    xdotool key --repeat $(($1 + 1)) --delay 30 Down
    xdotool key Return
    sleep 0.5
}
single_sweep() { scope_menu 5; sleep 1; }

# Measuring: a 500 Hz sine through the moving average, one sweep held, the
# time cursors one period apart (where they start), a level cursor dragged
# onto the output's lowest sample.
stepcursors() {
    start
    range 100
    dial 5000
    fir_page
    run
    single_sweep
    scope_menu 4 # Cursors
    xdotool mousemove --sync $((X + 400)) $((Y + 158)) mousedown 1
    xdotool mousemove --sync $((X + 440)) $((Y + 200)) sleep 0.1 \
        mousemove --sync $((X + 442)) $((Y + 241)) sleep 0.1 mouseup 1
    xdotool mousemove --sync $((X + 700)) $((Y + 520))
    save measure_cursors 0.5
}

# The projector: the moving average's output held as the reference, the 3 kHz
# low-pass's output over it, traces twice as thick.
stepprojector() {
    start
    range 100
    dial 5000
    amplitude_down 5
    fir_page
    run
    single_sweep
    scope_menu 6 # Hold as reference
    load_example fir_low_pass_3k.txt
    single_sweep
    scope_menu 8 # Large traces
    save measure_projector 0.5
}

for step in ${steps[*]}; do
    "step$step"
done
