#!/usr/bin/env bash
# Runs each fuzz target in turn for SECONDS seconds (60 when not given), one
# process at a time. Builds the fuzzers in build-fuzz with clang first when
# needed (Debian: clang and libclang-rt-14-dev), or in the clang build named
# by SIGNOVA_FUZZ_BUILD.
#   fuzz/run.sh [SECONDS] [TARGET...]
# New inputs are kept in BUILD/corpus/TARGET, a failing input is written to
# BUILD/artifacts/TARGET/ and the log to BUILD/logs/TARGET.log.
# The exit status is non-zero when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(number_text coefficient_file table_load lesson)

build=${SIGNOVA_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/%/_fuzz}" >/dev/null

failed=()
for target in "${targets[@]}"; do
    case $target in
    number_text) seeds=(fuzz/seeds/number_text) dict=fuzz/number_text.dict max_len=512 ;;
    lesson) seeds=(lessons fuzz/seeds/lesson) dict=fuzz/lesson.dict max_len=16384 ;;
    *) seeds=(tests/data examples) dict=fuzz/coefficient_file.dict max_len=4096 ;;
    esac
    [ -d "fuzz/regressions/$target" ] && seeds+=("fuzz/regressions/$target")
    corpus=$build/corpus/$target
    artifacts=$build/artifacts/$target
    log=$build/logs/$target.log
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    echo "== $target: ${seconds} s"
    if "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -dict="$dict" \
        -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
        grep -E '^stat::number_of_executed_units' "$log" || true
    else
        echo "FAULT found by $target; the end of $log:"
        tail -40 "$log"
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}"
    exit 1
fi
