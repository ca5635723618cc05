# A sound path with no sound card, sourced: start_null_sink FOLDER starts a
# PulseAudio server of its own in FOLDER with a null sink "nullsink" (whose
# monitor parec records), points HOME, XDG_RUNTIME_DIR and PULSE_SERVER there,
# and gives ALSA's default device to the server through the pulse plugin, so
# that PortAudio's default output plays into the sink at the sink's pace. The
# server's id is added to the array `pids` (the caller ends them). Returns
# non-zero, with the reason on stdout, when the server does not start.

start_null_sink() {
    local folder=$1
    mkdir -p "$folder/home" "$folder/runtime"
    chmod 700 "$folder/runtime"
    export HOME="$folder/home" XDG_RUNTIME_DIR="$folder/runtime"
    export PULSE_SERVER="unix:$folder/native"
    printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' >"$HOME/.asoundrc"
    # Its warnings about D-Bus and a missing cookie are harmless.
    pulseaudio -n --daemonize=no --exit-idle-time=-1 \
        -L "module-native-protocol-unix socket=$folder/native auth-anonymous=1" \
        -L "module-null-sink sink_name=nullsink" >"$folder/pulseaudio.log" 2>&1 &
    pids+=($!)
    local _
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    cat "$folder/pulseaudio.log"
    echo "the PulseAudio server did not start"
    return 1
}
