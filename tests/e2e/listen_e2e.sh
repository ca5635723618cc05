#!/usr/bin/env bash
# End to end with sound: the real program plays through a real, paced sound
# path with no sound card. A PulseAudio server of its own with a null sink,
# reached from PortAudio through ALSA's pulse plugin (set up by an .asoundrc
# in a temporary HOME), and recorded from the sink's monitor with parec.
# Listen on with a 1 kHz sine at 48000 Hz: the recording holds the tone; after
# Stop it falls silent.
# Usage: listen_e2e.sh <signova binary> <tone_meter binary> <scratch folder>
# Where the set-up cannot be made it skips with one line, unless
# SIGNOVA_REQUIRE_SOUND_TEST is set (CI sets it): then that is a failure.
set -euo pipefail
program=$1
meter=$2
scratch=$3

fail() { echo "FAIL: $*"; exit 1; }
skip() {
    [ -z "${SIGNOVA_REQUIRE_SOUND_TEST:-}" ] || fail "$* (SIGNOVA_REQUIRE_SOUND_TEST is set)"
    echo "SKIPPED: $*"
    exit 77
}

for tool in pulseaudio parec pactl xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -n "${DISPLAY:-}" ] || skip "no X server (DISPLAY is not set)"
ls /usr/lib/*/alsa-lib/libasound_module_pcm_pulse.so >/dev/null 2>&1 ||
    skip "ALSA's pulse plugin is not installed (libasound2-plugins)"

rm -rf "$scratch"
mkdir -p "$scratch"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

source "$(dirname "$0")/null_sink.sh"
start_null_sink "$scratch" >"$scratch/null_sink.txt" || skip "$(tail -n 1 "$scratch/null_sink.txt")"

parec --device=nullsink.monitor --format=s16le --rate=48000 --channels=1 --raw \
    >"$scratch/recording.raw" &
recorder=$!
pids+=($recorder)
sleep 0.5
# Whether the comparison holds, as awk reads it.
holds() { awk "BEGIN { exit !($1) }"; }

"$program" >"$scratch/program.log" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name '^SIGNOVA$' | head -n 1)
sleep 1
xdotool windowfocus --sync "$window"
# Range 900 Hz to 11 kHz: the dial's 1.000 at start reads 1 kHz; a sine at
# 48000 Hz is the start's choice. Tab from the dial to the page tabs and Right
# to "FIR Filters", whose default table, an average over 48 samples, nulls
# 1 kHz: Tab into the table and give h0 0.5. Ctrl+L listens, F5 runs.
xdotool key --delay 50 alt+3 Tab Tab Tab Tab Tab Tab Tab Tab Tab Right Right Right Tab
xdotool type --delay 20 0.5
xdotool key --delay 50 Return ctrl+l F5
# The sound server takes up to a second to begin.
sleep 3
xdotool key shift+F5
# parec hands over what it recorded late, and a stop loses its last part.
sleep 3
kill "$recorder"
wait "$recorder" 2>/dev/null || true

grep -q "No audio output device" "$scratch/program.log" && fail "the program found no device"
# The recording's own clock: where the sound begins and ends in it.
read -r _ length _ first last <<<"$("$meter" "$scratch/recording.raw" 48000)"
echo "recorded $length s, sound from $first s to $last s"
holds "$first >= 0" || fail "no sound in the recording"
holds "$last - $first > 1.3" || fail "the sound lasted only from $first s to $last s"
tone=$("$meter" "$scratch/recording.raw" 48000 1000 "$(awk -v t="$first" 'BEGIN { print t + 0.2 }')" 1)
echo "while running: $tone"
read -r _ rms _ share <<<"$tone"
holds "$rms > 3000" || fail "no sound while listening (rms $rms)"
# The scope nudges the generator's phase at each trigger: not quite a pure
# sine over a whole second, but the tone holds most of the power.
holds "$share > 0.7" || fail "the sound is not the 1 kHz tone (share $share)"
# After Stop: silent to the end of the recording, at least half a second.
holds "$length - $last > 0.5" || fail "the sound did not stop (it ends $last s into $length s)"
after=$("$meter" "$scratch/recording.raw" 48000 1000 "$(awk -v t="$last" 'BEGIN { print t + 0.05 }')" \
    "$(awk -v l="$length" -v t="$last" 'BEGIN { print l - t - 0.1 }')")
echo "after Stop: $after"
read -r _ rms _ share <<<"$after"
holds "$rms < 30" || fail "still sounding after Stop (rms $rms)"
echo "PASS"
