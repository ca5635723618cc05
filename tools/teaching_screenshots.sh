#!/usr/bin/env bash
# Takes the screenshots of docs/TEACHING.md from the built program, each step
# from a fresh start with the step's lesson named on the command line, then
# the clicks the guide asks for after opening it.
# Usage: xvfb-run -a -s '-screen 0 1280x1024x24' tools/teaching_screenshots.sh \
#            build/ui/signova docs/teaching [step ...]
set -euo pipefail
program=$(realpath "$1")
out=$2
shift 2
steps=("${@:-1 2 3 4 5 6 7 9 cursors projector}")
lessons=$(realpath "$(dirname "$0")/../lessons")
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
pid=

trace_pixels() { # file colour
    convert "$1" -crop "377x294+$((X + 252))+$((Y + 22))" +repage -fuzz 12% \
        -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}
start() { # [lesson file name, without .signova]
    [ -z "$pid" ] || { kill "$pid"; wait "$pid" 2>/dev/null || true; }
    rm -rf "$work/config"
    local file=()
    [ -z "${1:-}" ] || file=("$lessons/$1.signova")
    XDG_CONFIG_HOME="$work/config" "$program" "${file[@]}" &
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
# What the measuring steps set by hand after a plain start.
fir_page() { click 616 380; }
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
    start 1_moving_average
    run
    save 1_moving_average 1
}

# 2: 47 kHz sampled at 48 kHz looks like 1 kHz.
step2() {
    start 2_aliasing
    run
    save 2_aliasing 1
}

# 3: 1 kHz at 3 per cent amplitude, 8 bits, the input stretched back.
step3() {
    start 3_quantisation
    run
    save 3_quantisation 1
}

# 4: a 500 Hz square wave through the low-pass, then the high-pass example.
step4() {
    start 4_low_pass
    run
    save 4_low_pass 1
    stop
    load_example fir_high_pass_6k.txt
    run
    save 4_high_pass 1
}

# 5: one coefficient of 1.5: the output wraps around.
step5() {
    start 5_wrap_around
    run
    save 5_wrap_around 1
}

# 6: the 1 kHz resonator rings after every edge of a 100 Hz square wave.
step6() {
    start 6_resonator
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
# square wave going through it; the lesson opens both windows, which on this
# screen land over the main window's Run button: moved aside as a teacher
# drags them, the response to the top left, the spectrum to the bottom right.
step7() {
    start 7_response_and_spectrum
    local response spectrum
    response=$(xdotool search --sync --onlyvisible --name '^Frequency response' | head -n 1)
    spectrum=$(xdotool search --sync --onlyvisible --name 'Spectrum$' | head -n 1)
    xdotool windowmove "$response" 0 0 windowmove "$spectrum" 640 584
    save_window 7_response 'Frequency response'
    run
    save_window 7_spectrum 'Spectrum$' 1.5
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

# The first visible window whose title matches, waited for up to 10 s without
# xdotool's --sync (which waits for ever when nothing matches).
find_window() { # title
    local found _
    for _ in $(seq 50); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.2
    done
    echo "no window '$1'" >&2
    return 1
}
# Picks the item at `index` (from 0) of the shown table's menu.
table_menu() { # index
    xdotool mousemove $((X + 620)) $((Y + 480)) click 3
    sleep 0.5
    xdotool key --repeat $(($1 + 1)) --delay 30 Down
    xdotool key Return
    sleep 0.5
}
# Saves a window found by find_window as a small palette PNG.
save_found() { # name window [seconds to wait first]
    sleep "${3:-1}"
    import -window root "$work/screen.png"
    eval "$(xdotool getwindowgeometry --shell --prefix VIEW_ "$2")"
    convert "$work/screen.png" -crop "${VIEW_WIDTH}x${VIEW_HEIGHT}+$VIEW_X+$VIEW_Y" +repage \
        +dither -colors 64 -strip "PNG8:$out/$1.png"
    echo "$out/$1.png"
}

# 9: the design dialog's defaults (a 63-tap Hamming low-pass at 3000 Hz) with
# its preview; then the resonator's poles and zeros, and the upper pole
# dragged just outside the unit circle.
step9() {
    start
    fir_page
    table_menu 2 # Design filter…
    local dialog plane
    dialog=$(find_window 'Design filter: FIR table')
    save_found 9_design "$dialog" 1.5

    start 6_resonator
    table_menu 3 # Poles and zeros…
    plane=$(find_window '^Poles and zeros')
    save_found 9_poles_zeros "$plane"
    # The upper pole (r = 0.99 at 7.5 degrees) sits 381, 218 into the window;
    # 5 pixels further out is r = 1.02.
    eval "$(xdotool getwindowgeometry --shell --prefix PLANE_ "$plane")"
    xdotool mousemove $((PLANE_X + 381)) $((PLANE_Y + 218)) mousedown 1 sleep 0.2 \
        mousemove $((PLANE_X + 383)) $((PLANE_Y + 218)) sleep 0.2 \
        mousemove $((PLANE_X + 386)) $((PLANE_Y + 217)) sleep 0.2 mouseup 1
    xdotool mousemove $((PLANE_X + 300)) $((PLANE_Y + 400))
    save_found 9_unstable "$plane"
}

for step in ${steps[*]}; do
    "step$step"
done
