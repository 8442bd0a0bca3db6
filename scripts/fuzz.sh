#!/usr/bin/env bash
# Builds the fuzzing harnesses with clang and libFuzzer (address and
# undefined-behaviour sanitizers on) and runs each for SECONDS (default 60),
# starting from its corpus and regression inputs; new inputs go to a
# temporary folder, never into the source tree. Prints per harness the
# executions, the coverage reached and the findings, keeps the inputs of any
# finding (FUZZ_KEEP=DIR keeps the whole work folder there), and fails when
# a harness found anything. FUZZ_RUNS=N also ends each harness after N
# executions, whichever comes first.
#   scripts/fuzz.sh [SECONDS] [HARNESS...]      (default every harness)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-build-fuzz}
slow_ms=5000  # an input this slow when run again alone is a finding

scripts/deps.sh
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DMX_FUZZ=ON -DMX_BUILD_GUI=OFF \
    -DMX_BUILD_TESTS=OFF -DMX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for source in fuzz/*Fuzz.cpp; do harnesses+=("$(basename "$source" .cpp)"); done
fi
targets=()
for h in "${harnesses[@]}"; do targets+=(--target "fuzz_$h"); done
cmake --build "$build" --parallel "${targets[@]}"

work=${FUZZ_KEEP:-$(mktemp -d)}
mkdir -p "$work"
# The files the harnesses write for each input go to memory where it can.
scratch=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
if [ -n "${FUZZ_KEEP:-}" ]; then
    trap 'rm -rf "$scratch"' EXIT
else
    trap 'rm -rf "$work" "$scratch"' EXIT
fi
export TMPDIR="$scratch" HOME="$scratch" XDG_CONFIG_HOME="$scratch"

printf '%-18s %12s %8s %8s %s\n' harness executions cov features findings
failed=0
for h in "${harnesses[@]}"; do
    mkdir -p "$work/$h/corpus" "$work/$h/findings"
    inputs=("$work/$h/corpus")
    for folder in fuzz/corpus/$h fuzz/regress/$h; do
        [ -d "$folder" ] && inputs+=("$folder")
    done
    options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$work/$h/findings/")
    [ -n "${FUZZ_RUNS:-}" ] && options+=(-runs="$FUZZ_RUNS")
    [ -f "fuzz/dict/$h.dict" ] && options+=(-dict="fuzz/dict/$h.dict")
    status=0
    "$build/fuzz/$h" "${options[@]}" "${inputs[@]}" >"$work/$h/log" 2>&1 || status=$?
    execs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$work/$h/log" | tail -n 1)
    cov=$(awk 'match($0, /cov: [0-9]+/) { v = substr($0, RSTART + 5, RLENGTH - 5) } END { print v }' "$work/$h/log")
    ft=$(awk 'match($0, /ft: [0-9]+/) { v = substr($0, RSTART + 4, RLENGTH - 4) } END { print v }' "$work/$h/log")
    # A slow input is reported in the same folder. On a busy machine that
    # may say more of the machine than of the program, so each is run again
    # alone: one that still takes seconds is a finding like a timeout.
    for slow in "$work/$h/findings"/slow-unit-*; do
        [ -f "$slow" ] || continue
        ms=$("$build/fuzz/$h" "$slow" 2>&1 | sed -n 's/^Executed .* in \([0-9]*\) ms$/\1/p')
        if [ "${ms:-0}" -ge "$slow_ms" ]; then
            mv "$slow" "$work/$h/findings/hang-$(basename "$slow" | sed 's/^slow-unit-//')"
        fi
    done
    findings=$(find "$work/$h/findings" -type f \( -name 'crash-*' -o -name 'leak-*' \
        -o -name 'timeout-*' -o -name 'oom-*' -o -name 'hang-*' \) | wc -l)
    if [ "$status" -ne 0 ] || [ "$findings" -gt 0 ]; then
        failed=1
        keep=$(mktemp -d "${FUZZ_FINDINGS:-/tmp}/fuzz-findings.XXXXXX")
        cp -r "$work/$h/findings" "$work/$h/log" "$keep/"
        printf '%-18s %12s %8s %8s %s\n' "$h" "${execs:-?}" "${cov:-?}" "${ft:-?}" \
            "FOUND (status $status, $findings inputs): kept in $keep"
        grep -E 'ERROR|runtime error|SUMMARY|deadly|timeout|property broken' "$work/$h/log" | head -n 5 | sed 's/^/    /' || true
    else
        printf '%-18s %12s %8s %8s %s\n' "$h" "${execs:-?}" "${cov:-?}" "${ft:-?}" none
    fi
done
exit "$failed"
