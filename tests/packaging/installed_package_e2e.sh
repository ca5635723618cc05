#!/usr/bin/env bash
# End to end from the Debian package: build it with cpack, unpack it into a
# scratch root, start the unpacked program in the X server, load an unpacked
# example through the file dialog's example place and check the trace.
# Usage: installed_package_e2e.sh <build folder> <scratch folder> <expected contents>
set -euo pipefail
build=$1
scratch=$2
expected_contents=$3

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

command -v dpkg-deb >/dev/null || skip "dpkg-deb is not installed"
command -v dpkg-shlibdeps >/dev/null || skip "dpkg-shlibdeps is not installed (dpkg-dev)"
command -v cpack >/dev/null || skip "cpack is not installed"
[ -n "${DISPLAY:-}" ] || skip "no X server (DISPLAY is not set)"

rm -rf "$scratch"
mkdir -p "$scratch/config"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/out/signova_*.deb)
echo "package: $deb"

# What the package holds, exactly: no test, benchmark or fuzz target.
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort >"$scratch/contents"
diff -u "$expected_contents" "$scratch/contents" || fail "the package holds other files"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = signova ] || fail "package name $(field Package)"
[ "$(field Section)" = education ] || fail "section $(field Section)"
for dependency in fonts-dejavu-core fonts-dejavu-extra libqt6widgets6 libportaudio2 libsamplerate0 \
    libsndfile1 libliquid1; do
    grep -q "$dependency" <<<"$(field Depends)" || fail "no dependency on $dependency"
done
grep -q libasound2-plugins <<<"$(field Recommends)" || fail "no recommendation of libasound2-plugins"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/bin/signova"
sections=$(readelf -S "$program")
if grep -q '\.symtab' <<<"$sections"; then
    fail "the program is not stripped"
fi

count_color() { # file x y w h colour
    convert "$1" -crop "$4x$5+$2+$3" +repage -fuzz 12% -fill black +opaque "$6" \
        -fill white -opaque "$6" -format '%[fx:round(mean*w*h)]' info:
}
shot() { import -window root "$scratch/$1.png"; echo "$scratch/$1.png"; }
# Height in pixels of the lime output trace: the chart below the input trace.
output_height() { # screenshot
    local box
    box=$(convert "$1" -crop "377x210+$((X + 252))+$((Y + 106))" +repage -fuzz 12% \
        -fill black +opaque lime -fill white -opaque lime -format '%@' info:)
    box=${box#*x}
    echo "${box%%+*}"
}
# Screenshots until the chart shows a lime trace (or 15 s have passed).
shot_with_trace() { # name
    local file
    for _ in $(seq 30); do
        file=$(shot "$1")
        [ "$(count_color "$file" $((X + 252)) $((Y + 22)) 377 294 lime)" -gt 300 ] && break
        sleep 0.5
    done
    echo "$file"
}

# A configuration of its own: the file dialog keeps no places from earlier runs.
cd "$scratch"
XDG_CONFIG_HOME="$scratch/config" "$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^SIGNOVA$' | head -n 1) ||
    fail "the unpacked program shows no window"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")" # X Y WIDTH HEIGHT
if command -v xprop >/dev/null; then
    icons=$(xprop -id "$window" _NET_WM_ICON)
    grep -q 'Icon (48 x 48)' <<<"$icons" || fail "no window icon"
fi
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.2; }

# A 1 kHz sine through the start-up 48-tap moving average: the output is flat.
click 144 120 # X 1k
click 616 380 # FIR Filters
click 58 485  # Run
before=$(output_height "$(shot_with_trace averaged)")
click 58 521 # Stop
echo "output trace height with the moving average: $before pixels"
[ "$before" -le 4 ] || fail "the moving average does not cancel the 1 kHz sine"

# Load the 3 kHz low-pass from the dialog's example place, by its name only.
click 268 491
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Open$' | head -n 1) ||
    fail "no file dialog"
eval "$(xdotool getwindowgeometry --shell --prefix DIALOG_ "$dialog")"
sleep 0.5
# The places: the computer, the home folder, then the examples.
xdotool mousemove --sync $((DIALOG_X + 55)) $((DIALOG_Y + 106)) click 1
sleep 0.5
xdotool windowfocus --sync "$dialog"
xdotool mousemove --sync $((DIALOG_X + 300)) $((DIALOG_Y + 358)) click 1 # File name
sleep 0.2
xdotool type --delay 2 fir_low_pass_3k.txt
xdotool key Return
sleep 1
if xdotool search --onlyvisible --name '^Open$' >/dev/null; then
    shot dialog_still_open >/dev/null
    fail "the example place did not lead to the installed examples"
fi

click 58 485 # Run
after=$(output_height "$(shot_with_trace low_pass)")
click 58 521 # Stop
echo "output trace height with the low-pass: $after pixels"
[ "$after" -ge 100 ] || fail "the low-pass does not pass the 1 kHz sine"
echo "PASS"
