#!/usr/bin/env bash
# Counts how often the application wakes up while it sits idle: it starts
# mxr77c under a virtual X display with a document open and a sheet shown,
# waits until the window has settled, then counts the voluntary context
# switches of all its threads over 10 s and prints them per second. Then the
# same with --demo, the demo radio running. Everything runs with a private
# home, settings and runtime folder in a temporary folder (KEEP=1 keeps it,
# with the program's output and a picture of each window measured).
#   scripts/bench-idle.sh [BUILD]     (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
cli="$build/bin/mxr77c-cli"
app="$build/bin/mxr77c"
window_s=10
for tool in "$cli" "$app" "$build/bin/r77c-sim"; do
    [ -x "$tool" ] || { echo "bench-idle: $tool is missing; build first" >&2; exit 1; }
done
for tool in Xvfb xdotool xwd; do
    command -v "$tool" >/dev/null || { echo "bench-idle: $tool is missing; run scripts/deps.sh" >&2; exit 1; }
done

script=bench-idle
# shellcheck source=scripts/bench-common.sh
source scripts/bench-common.sh
start_display
"$cli" new "$work/doc.rcf" >/dev/null

# The main window by its title, whether or not the window manager has
# mapped it yet (it is activated before it is used).
has_main() {
    mainwin=$(xdotool search --all --pid "$apppid" --name ' - MX-R77C$' 2>/dev/null | head -n 1)
    [ -n "$mainwin" ]
}
picture() { xwd -silent -id "$mainwin" 2>/dev/null | md5sum; }
picture_changed() { [ "$(picture)" != "$1" ]; }
cpu_ticks() {
    local stat
    stat=$(<"/proc/$apppid/stat")
    stat=${stat##*) }
    awk '{ print $12 + $13 }' <<<"$stat"
}
# Settled: the picture holds still and the program spends (almost) no CPU
# time over a second.
settled() {
    local p c
    p=$(picture)
    c=$(cpu_ticks)
    sleep 1
    [ "$(picture)" = "$p" ] && (($(cpu_ticks) - c <= 1))
}
# Voluntary context switches of all the program's threads, and their count.
switches() {
    local sum=0 n=0 status v
    for status in /proc/"$apppid"/task/*/status; do
        v=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$status" 2>/dev/null) || continue
        [ -n "$v" ] || continue
        sum=$((sum + v))
        n=$((n + 1))
    done
    echo "$sum $n"
}
demo_running() { pgrep -P "$apppid" -x r77c-sim >/dev/null; }

measure() {  # name, then the program's arguments
    local name=$1 before t0 t1 s0 n0 s1 n1 note=""
    shift
    # A runtime folder of its own, so the first start's lock cannot count
    # against the second.
    mkdir -m 700 "$work/runtime-$name"
    XDG_RUNTIME_DIR="$work/runtime-$name" "$app" "$@" >"$work/app-$name.log" 2>&1 &
    apppid=$!
    pids+=("$apppid")
    wait_until 30 has_main || {
        echo "bench-idle: $name: no main window; the program said:" >&2
        tail -n 5 "$work/app-$name.log" >&2
        if kill -0 "$apppid" 2>/dev/null; then
            echo "  (it is still running)"
        else
            wait "$apppid" && status=0 || status=$?
            echo "  (it has ended with status $status)"
        fi >&2
        exit 1
    }
    if [[ " $* " == *" --demo "* ]]; then
        wait_until 15 demo_running || { echo "bench-idle: $name: the demo radio did not start" >&2; exit 1; }
    fi
    # The base settings sheet, from the tree.
    xdotool windowactivate --sync "$mainwin" >/dev/null 2>&1 || true
    ensure_viewable "$mainwin" || { echo "bench-idle: $name: the window is not shown" >&2; exit 1; }
    before=$(picture)
    xdotool mousemove --window "$mainwin" 90 93 click 1
    wait_until 10 picture_changed "$before" || { echo "bench-idle: $name: no sheet appeared" >&2; exit 1; }
    # Away from the window, so no hover effect is counted.
    xdotool mousemove 1270 790
    wait_until 30 settled || note="  (not settled after 30 s)"
    [ -z "${KEEP:-}" ] || xwd -silent -id "$mainwin" >"$work/$name.xwd"
    read -r s0 n0 < <(switches)
    t0=$(date +%s.%N)
    sleep "$window_s"
    read -r s1 n1 < <(switches)
    t1=$(date +%s.%N)
    awk -v n="$name" -v s="$((s1 - s0))" -v t0="$t0" -v t1="$t1" -v th="$n1" -v note="$note" 'BEGIN {
        printf "%-6s wake-ups %7.1f /s  (%d voluntary context switches in %.1f s, %d threads)%s\n",
               n, s / (t1 - t0), s, t1 - t0, th, note }'
    stop "$apppid"
    unset 'pids[${#pids[@]}-1]'
}

measure file "$work/doc.rcf"
measure demo --demo "$work/doc.rcf"
