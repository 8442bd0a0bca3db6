#!/usr/bin/env bash
# Times a clone read and a clone write against the simulated radio at 9600
# baud with pacing on, and prints each wall time as a ratio to the wire time
# of the bytes exchanged (bytes x 10 / baud). Usage: scripts/bench-clone.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli="$build/bin/mxr77c-cli"
sim="$build/bin/r77c-sim"
baud=9600
for tool in "$cli" "$sim"; do
    [ -x "$tool" ] || { echo "bench-clone: $tool is missing; build first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'kill "${simpid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# Bytes on the wire, both directions, from the frame sizes: a 64-byte data
# frame is 142 bytes; a frame of n bytes is 5 + 2 x (n + 4) + 1.
frame() { echo $((5 + 2 * ($1 + 4) + 1)); }
identify=$((10 + 52))  # request, identity frame with its 42-byte block
read_bytes=$((identify + 10 + 45 * $(frame 64) + $(frame 52) + 15))
write_bytes=$((identify + 10 + $(frame 4) + 34 * $(frame 64) + $(frame 48) + 36 + 15 + 7))

start_sim() {
    # The radio starts with the initial image, so a read passes the load check.
    cp "$build/bin/MXR77C.rcs" "$work/radio.rcf" 2>/dev/null || true
    "$sim" --baud "$baud" --frame-size 64 --memory "$work/radio.rcf" >"$work/sim.out" 2>"$work/sim.err" &
    simpid=$!
    for _ in $(seq 100); do
        device=$(head -n 1 "$work/sim.out" 2>/dev/null || true)
        [ -n "$device" ] && return 0
        sleep 0.05
    done
    echo "bench-clone: the simulator did not start" >&2
    exit 1
}

run() {  # name bytes command...
    local name=$1 bytes=$2
    shift 2
    local t0 t1
    t0=$(date +%s.%N)
    "$@" 2>>"$work/cli.err"
    t1=$(date +%s.%N)
    awk -v n="$name" -v b="$bytes" -v baud="$baud" -v t0="$t0" -v t1="$t1" 'BEGIN {
        wire = b * 10 / baud; wall = t1 - t0
        printf "%-6s %5d bytes  wire %.3f s  wall %.3f s  ratio %.2f\n", n, b, wire, wall, wall / wire }'
}

start_sim
run read "$read_bytes" "$cli" read -o "$work/read.rcf" --device "$device"
run write "$write_bytes" "$cli" write "$work/read.rcf" --device "$device"
