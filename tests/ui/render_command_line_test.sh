#!/usr/bin/env bash
# The render mode from the command line: it needs no display (even with the
# xcb platform asked for), exits 0 with nothing on standard error when all is
# written, and exits non-zero with exactly one line on standard error for a
# bad argument (2) or a refused lesson (1).
#   render_command_line_test.sh SIGNOVA LESSONS_DIR WORK_DIR
# SIGNOVA_EMULATOR, when set, is the command that runs SIGNOVA (a cross build's
# emulator, e.g. qemu-aarch64).
set -u
read -ra emulator <<<"${SIGNOVA_EMULATOR:-}"
signova=$1
lessons=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect STATUS LINES ARGS...: the exit status and the number of lines on
# standard error.
expect() {
    local status=$1 lines=$2
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "${emulator[@]}" "$signova" "$@" \
        >"$work/stdout" 2>"$work/stderr"
    local got=$?
    local count
    count=$(wc -l <"$work/stderr")
    [ "$got" = "$status" ] || fail "$* exited $got, not $status: $(cat "$work/stderr")"
    [ "$count" = "$lines" ] || fail "$* wrote $count lines to standard error, not $lines: $(cat "$work/stderr")"
}

lesson=$lessons/2_aliasing.signova
expect 0 0 --render "$lesson" --out "$work/out/deeper" --samples 1000
for file in scope.png samples.csv 2_aliasing.signova; do
    [ -s "$work/out/deeper/$file" ] || fail "no $file written"
done
[ "$(wc -l <"$work/out/deeper/samples.csv")" = 1001 ] || fail "samples.csv does not hold 1000 samples"
cmp -s "$lesson" "$work/out/deeper/2_aliasing.signova" || fail "the lesson's copy differs"

expect 2 1 --out "$work/out"
expect 2 1 --render "$lesson"
expect 2 1 --render "$lesson" --out "$work/out" --samples 0
expect 2 1 --render "$lesson" --out "$work/out" --samples 12x
expect 2 1 --render "$lesson" --out "$work/out" "$lesson"
expect 2 1 --render "$lesson" --render "$lesson" --out "$work/out"
expect 1 1 --render "$lessons/../examples/fir_moving_average_4.txt" --out "$work/refused"
[ -e "$work/refused" ] && fail "a refused lesson made its folder"
expect 1 1 --render "$lesson" --out "$lesson/out"

env -u DISPLAY "${emulator[@]}" "$signova" --help >"$work/help" 2>&1
grep -q -- "--render <LESSON>" "$work/help" || fail "--help does not name --render"

[ "$failures" = 0 ] && echo "all render command line checks passed"
exit "$failures"
