#!/usr/bin/env bash
# Runs build/bench/listen_bench through a PulseAudio null sink of its own (no
# sound card needed), under Xvfb when there is no display.
# Usage: bench/listen_bench.sh <build folder> [seconds]
set -euo pipefail
build=$(realpath "$1")
seconds=${2:-60}
here=$(dirname "$(realpath "$0")")
scratch=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
source "$here/../tests/e2e/null_sink.sh"
start_null_sink "$scratch"
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s '-screen 0 1280x1024x24' "$build/bench/listen_bench" "$seconds" 2>&1 | grep -v "ALSA\|ack\|Cannot"
else
    "$build/bench/listen_bench" "$seconds" 2>&1 | grep -v "ALSA\|ack\|Cannot"
fi
