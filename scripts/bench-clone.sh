#!/usr/bin/env bash
# Times a clone read and a clone write against the simulated radio at 9600
# baud with pacing on (it takes and sends bytes at the line rate), first
# through mxr77c-cli, then through the application's Program menu under a
# virtual X display, and prints each wall time as a ratio to the wire time of
# the bytes exchanged (bytes x 10 / baud). For the application's read it also
# prints the program's CPU time (user + system) as a share of the wall time.
# Everything runs with a private home, settings and runtime folder in a
# temporary folder; nothing of the user's is read or changed.
#   scripts/bench-clone.sh [BUILD]     (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
cli="$build/bin/mxr77c-cli"
sim="$build/bin/r77c-sim"
app="$build/bin/mxr77c"
baud=9600
port=200
for tool in "$cli" "$sim" "$app"; do
    [ -x "$tool" ] || { echo "bench-clone: $tool is missing; build first" >&2; exit 1; }
done

script=bench-clone
# shellcheck source=scripts/bench-common.sh
source scripts/bench-common.sh

# Bytes on the wire, both directions, from the frame sizes: a 64-byte data
# frame is 142 bytes; a frame of n bytes is 5 + 2 x (n + 4) + 1.
frame() { echo $((5 + 2 * ($1 + 4) + 1)); }
identify=$((10 + 52))  # request, identity frame with its 42-byte block
read_bytes=$((identify + 10 + 45 * $(frame 64) + $(frame 52) + 15))
write_bytes=$((identify + 10 + $(frame 4) + 34 * $(frame 64) + $(frame 48) + 36 + 15 + 7))

# The shell's own clock: no process is started to read it.
now() { echo "$EPOCHREALTIME"; }
# CPU time of a process so far, all its threads, in seconds.
cpu_seconds() {
    local stat
    stat=$(<"/proc/$1/stat")
    stat=${stat##*) }
    # After the name: state is field 3, utime 14 and stime 15.
    awk -v hz="$(getconf CLK_TCK)" '{ printf "%.2f", ($12 + $13) / hz }' <<<"$stat"
}

report() {  # name bytes t0 t1 [cpu0 cpu1]
    awk -v n="$1" -v b="$2" -v baud="$baud" -v t0="$3" -v t1="$4" -v c0="${5:-}" -v c1="${6:-}" 'BEGIN {
        wire = b * 10 / baud; wall = t1 - t0
        line = sprintf("%-9s %5d bytes  wire %.3f s  wall %.3f s  ratio %.3f", n, b, wire, wall, wall / wire)
        if (c0 != "") line = line sprintf("  cpu %.1f %%", 100 * (c1 - c0) / wall)
        print line }'
}

start_sim() {
    # The radio starts with the initial image, so a read passes the load check.
    cp "$build/bin/MXR77C.rcs" "$work/radio.rcf"
    "$sim" --baud "$baud" --frame-size 64 --memory "$work/radio.rcf" >"$work/sim.out" 2>"$work/sim.err" &
    pids+=($!)
    wait_until 10 test -s "$work/sim.out" || { echo "bench-clone: the simulator did not start" >&2; exit 1; }
    device=$(head -n 1 "$work/sim.out")
}

run_cli() {  # name bytes command...
    local name=$1 bytes=$2 t0 t1
    shift 2
    t0=$(now)
    "$@" 2>>"$work/cli.err" || { echo "bench-clone: $name failed: $(tail -n 1 "$work/cli.err")" >&2; exit 1; }
    t1=$(now)
    report "$name" "$bytes" "$t0" "$t1"
}

start_sim
run_cli cli-read "$read_bytes" "$cli" read -o "$work/read.rcf" --device "$device"
run_cli cli-write "$write_bytes" "$cli" write "$work/read.rcf" --device "$device"

# ---- the same through the application's Program menu

start_display

# The port the application uses names the simulator's pseudo-terminal.
mkdir -p "$XDG_CONFIG_HOME/VARTEK INCORPORATED"
printf '[Ports]\nCOM%d=%s\n' "$port" "$device" >"$XDG_CONFIG_HOME/VARTEK INCORPORATED/MX-R77C.conf"
"$cli" new "$work/doc.rcf" >/dev/null
"$app" "/c:$port" "$work/doc.rcf" >"$work/app.log" 2>&1 &
apppid=$!
pids+=("$apppid")

# Visible windows of the application as "id<TAB>title" lines.
windows() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$apppid" 2>/dev/null); do
        printf '%s\t%s\n' "$id" "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}
main_title() { xdotool getwindowname "$mainwin" 2>/dev/null; }
# Message boxes carry the bare application title.
box() { windows | awk -F '\t' '$2 == "MX-R77C" { print $1; exit }'; }
# One search, not one call per window: the end of a timed clone is polled
# with it, and the poll takes the processor from what it measures.
box_other_than() {
    xdotool search --all --onlyvisible --pid "$apppid" --name '^MX-R77C$' 2>/dev/null |
        awk -v old="$1" '$1 != old { print $1; exit }'
}
has_box() { [ -n "$(box)" ]; }
no_box() { [ -z "$(box)" ]; }
has_other_box() { [ -n "$(box_other_than "$1")" ]; }
# The main window by its title, whether or not the window manager has
# mapped it yet (activating it before each command does).
has_main() {
    mainwin=$(xdotool search --all --pid "$apppid" --name ' - MX-R77C$' 2>/dev/null | head -n 1)
    [ -n "$mainwin" ]
}
# The title first: one quick look, where the window list takes several.
read_ended() { [ "$(main_title)" = "無題 - MX-R77C" ] || has_box; }
menu_open() { [ "$(windows | wc -l)" -gt 1 ]; }
program_menu() {
    xdotool windowactivate --sync "$mainwin" >/dev/null 2>&1 || true
    send_key alt+p
    wait_until 10 menu_open || { echo "bench-clone: the Program menu did not open" >&2; exit 1; }
}
fail_app() {
    echo "bench-clone: $1; the application's windows:" >&2
    windows | sed 's/^/  /' >&2
    [ -z "${mainwin:-}" ] || xwininfo -id "$mainwin" 2>&1 | grep -E 'Map State|geometry' | sed 's/^/  /' >&2
    if ! kill -0 "$apppid" 2>/dev/null; then
        wait "$apppid" && status=0 || status=$?
        echo "bench-clone: the application has ended with status $status; its output:" >&2
        sed 's/^/  /' "$work/app.log" >&2
    fi
    exit 1
}

# Keys go through one xdotool that stays running and reads its commands as
# they come: starting xdotool for a key takes tens of milliseconds, which
# would be timed as the application's.
start_keys() {
    mkfifo "$work/keys"
    xdotool - <"$work/keys" >"$work/keys.out" 2>&1 &
    pids+=($!)
    exec {keys}>"$work/keys"
}
send_key() { echo "key --delay 0 $1" >&"$keys"; }

# The moments the X server reports a property change, each line of xprop's
# watch stamped as it comes: the end of a clone is the moment its window
# changed, however late the script looks.
spy() {  # file xprop-arguments...
    local file=$1
    shift
    # xprop itself is the process to end: the stamping loop ends with it.
    stdbuf -oL xprop -spy "$@" 2>/dev/null > >(
        while IFS= read -r line; do echo "$EPOCHREALTIME $line"; done >"$file"
    ) &
    pids+=($!)
}
# The first stamp after the given moment of a line where the word stands.
stamp_of() {  # file word after
    awk -v word="$2" -v after="$3" '$1 > after && (" " $0 ",") ~ ("[ ,\"]" word "[ ,\"]") { print $1; exit }' "$1"
}

start_keys
wait_until 30 has_main || fail_app "no main window"
ensure_viewable "$mainwin" || fail_app "the main window is not shown"
[ "$(main_title)" = "doc.rcf - MX-R77C" ] || fail_app "unexpected title"

# Read: from the key that chooses the item to the title turning untitled.
spy "$work/title" -id "$mainwin" _NET_WM_NAME
program_menu
c0=$(cpu_seconds "$apppid")
t0=$(now)
send_key r
wait_until 120 read_ended || fail_app "the read did not end"
c1=$(cpu_seconds "$apppid")
[ "$(main_title)" = "無題 - MX-R77C" ] || fail_app "the read ended with a message"
wait_until 5 grep -q 無題 "$work/title" || fail_app "the title change was not seen"
t1=$(stamp_of "$work/title" 無題 "$t0")
report app-read "$read_bytes" "$t0" "$t1" "$c0" "$c1"

# Write: from the answer to the question to the box that reports the end.
program_menu
send_key w
wait_until 10 has_box || fail_app "no question before writing"
question=$(box)
before=$(stat -c %Y.%y "$work/radio.rcf")
spy "$work/clients" -root _NET_CLIENT_LIST
wait_until 5 test -s "$work/clients" || fail_app "the window list cannot be watched"
t0=$(now)
send_key Return
wait_until 120 has_other_box "$question" || fail_app "the write did not end"
result=$(printf '0x%x' "$(box_other_than "$question")")
wait_until 5 grep -q "$result" "$work/clients" || fail_app "the result box was not seen listed"
t1=$(stamp_of "$work/clients" "$result" "$t0")
[ "$(stat -c %Y.%y "$work/radio.rcf")" != "$before" ] || fail_app "the radio's memory was not rewritten"
report app-write "$write_bytes" "$t0" "$t1"
send_key Return
