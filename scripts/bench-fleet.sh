#!/usr/bin/env bash
# Times a fleet batch (write and verify) against simulated radios at 9600
# baud with pacing on: one radio on one port, then four radios on four ports
# at once, and prints the wall times and their ratio. Four ports run side by
# side, so the ratio should stay near 1 (at most 1.2). Everything runs with a
# private home, settings and runtime folder in a temporary folder.
#   scripts/bench-fleet.sh [BUILD]     (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
cli="$build/bin/mxr77c-cli"
sim="$build/bin/r77c-sim"
for tool in "$cli" "$sim"; do
    [ -x "$tool" ] || { echo "bench-fleet: $tool is missing; build first" >&2; exit 1; }
done

script=bench-fleet
# shellcheck source=scripts/bench-common.sh
source scripts/bench-common.sh

now() { echo "$EPOCHREALTIME"; }

"$cli" new "$work/template.rcf"
# A name per radio: each row is a radio of its own.
{
    printf '\xEF\xBB\xBFCL_DigCall_SelfName,CL_DigCall_TxMyName\r\n'
    for n in 1 2 3 4; do printf 'UNIT-%d,ON\r\n' "$n"; done
} >"$work/radios.csv"
head -2 "$work/radios.csv" >"$work/one.csv"

# Four paced simulated radios, each on a pseudo-terminal of its own.
devices=()
for n in 1 2 3 4; do
    cp "$work/template.rcf" "$work/radio$n.rcf"
    "$sim" --baud 9600 --frame-size 64 --memory "$work/radio$n.rcf" >"$work/radio$n.out" 2>&1 &
    pids+=($!)
done
for n in 1 2 3 4; do
    wait_until 10 test -s "$work/radio$n.out"
    devices+=(--device "$(head -1 "$work/radio$n.out")")
done

# One batch run, timed; fails the script unless every row was verified.
timed_batch() {  # radios.csv log device-args...
    local radios=$1 log=$2 start end
    shift 2
    start=$(now)
    "$cli" batch "$work/template.rcf" --radios "$radios" --log "$log" --wait 10 "$@" \
        >"$log.out" 2>"$log.err" || { cat "$log.err" >&2; exit 1; }
    end=$(now)
    echo "$start $end" | awk '{ printf "%.3f", $2 - $1 }'
}

one=$(timed_batch "$work/one.csv" "$work/one-log.csv" "${devices[@]:0:2}")
four=$(timed_batch "$work/radios.csv" "$work/four-log.csv" "${devices[@]}")
echo "one radio on one port:     ${one} s"
echo "four radios on four ports: ${four} s"
echo "$one $four" | awk '{ printf "ratio four/one: %.2f (limit 1.20)\n", $2 / $1 }'
