#!/usr/bin/env bash
# Walks through the application as a newcomer would, on a virtual X display
# with the demo radio, and prints what it saw: the title, a name edited and
# saved, Program > Read, Write and Radio information, a second start, and
# "/w FILE". Scratch settings and runtime folders; nothing of the user's is
# read or changed. Timing-based (the demo radio paces its bytes like a real
# one), so it is a demonstration, not part of the test suite.
#   scripts/walkthrough.sh [BUILD_DIR]
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
bin="$build/bin"
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; run scripts/deps.sh" >&2; exit 1; }
done

scratch="$(mktemp -d)"
display=":$((90 + RANDOM % 100))"
mkdir -p "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
export DISPLAY="$display" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
sleep 1
cd "$scratch"

start() {
    "$bin/mxr77c" "$@" >>"$scratch/app.log" 2>&1 &
    app=$!
    window=""
    for _ in $(seq 100); do
        window="$(xdotool search --name 'MX-R77C' 2>/dev/null | head -1)"
        [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 2
}
# Without a window manager, a window that was disabled does not get the
# focus back by itself: a click on the empty sheet area gives it.
focus() { xdotool mousemove --window "$window" 600 500 click 1; sleep 0.3; }
program() { focus; xdotool key --window "$window" alt+p; sleep 0.5; xdotool key "$1"; }
title() { echo "title: $(xdotool getwindowname "$window")"; }
# Base settings in the tree, then the name cell.
edit_name() {
    xdotool mousemove --window "$window" 90 93 click 1
    sleep 1
    xdotool mousemove --window "$window" 433 118 click 1
    sleep 0.3
    xdotool type "$1"
    xdotool key Return
    sleep 0.5
}
save_as() { focus; xdotool key ctrl+s; sleep 1.5; xdotool type "$1"; xdotool key Return; sleep 1.5; }
name_in() { "$bin/mxr77c-cli" sheet "$1" GI_Sheet_BaseSettings | grep -a -A0 '機器名称' | head -1; }

echo "== a newcomer's start, with the demo radio"
start --demo
title
memory="$(pgrep -a -P "$app" r77c-sim | sed 's/.*--memory \([^ ]*\).*/\1/')"

echo "== a name edited and saved"
edit_name "ABC"
save_as "$scratch/edited.rcf"
title
name_in "$scratch/edited.rcf"

echo "== a second start"
timeout 10 "$bin/mxr77c" >"$scratch/second.log" 2>&1
echo "second start: exit $?, $(wc -c <"$scratch/second.log") bytes of output, $(xdotool search --name 'MX-R77C' | wc -l) main window(s)"

echo "== Program > Read"
program r
sleep 12
title
save_as "$scratch/read.rcf"
"$bin/mxr77c-cli" check "$scratch/read.rcf" >/dev/null && echo "the image read from the radio checks as a clone image file"

echo "== Program > Write (confirmed), after editing the name"
edit_name "XYZ"
program w
sleep 1
xdotool key Return
sleep 12
xdotool key Return
sleep 0.5
echo "the radio's memory now says: $(name_in "$memory")"

echo "== Program > Radio information"
program i
sleep 4
echo "windows named MX-R77C: $(xdotool search --onlyvisible --name '^MX-R77C$' | wc -l) (the information window)"
xdotool key Escape
sleep 0.5
focus
xdotool key --window "$window" alt+F4 2>/dev/null
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=""

echo "== /w FILE, to a simulated radio on port 200 named in the settings"
"$bin/mxr77c-cli" set "$scratch/edited.rcf" 'CL_DigCall_SelfName=BATCH' -o "$scratch/batch.rcf" >/dev/null
cp "$scratch/edited.rcf" "$scratch/radio.rcf"
coproc sim { exec "$bin/r77c-sim" --memory "$scratch/radio.rcf"; }
read -r device <&"${sim[0]}"
mkdir -p "$scratch/config/VARTEK INCORPORATED"
printf '[Ports]\nCOM200=%s\n' "$device" >"$scratch/config/VARTEK INCORPORATED/MX-R77C.conf"
"$bin/mxr77c" /c:200 /w "$scratch/batch.rcf" >>"$scratch/app.log" 2>&1 &
app=$!
for _ in $(seq 150); do
    sleep 0.2
    kill -0 "$app" 2>/dev/null || break
    # The success box waits for its OK.
    xdotool key Return 2>/dev/null
done
wait "$app"
echo "/w: the application ended with exit $?"
app=""
kill "$sim_PID"
wait "$sim_PID" 2>/dev/null
echo "the radio's memory now says: $(name_in "$scratch/radio.rcf")"
