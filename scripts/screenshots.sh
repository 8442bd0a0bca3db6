#!/usr/bin/env bash
# Starts the application on a virtual X display and saves PNG pictures of
# its main window into docs/. Uses a scratch settings and runtime folder, so
# the user's own settings are neither read nor changed.
#   scripts/screenshots.sh [BUILD_DIR]
#   SHOT_LANG=en scripts/screenshots.sh   the English texts, pictures docs/en-*.png
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
app="$build/bin/mxr77c"
[ -x "$app" ] || { echo "no application at $app; build it first" >&2; exit 1; }
for tool in Xvfb xwd xwdtopnm pnmtopng; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; run scripts/deps.sh" >&2; exit 1; }
done

scratch="$(mktemp -d)"
display=":$((90 + RANDOM % 100))"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done

mkdir -p "$scratch/config" "$scratch/runtime" "$root/docs"
chmod 700 "$scratch/runtime"

picture() {
    xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$root/docs/$1.png"
    echo "docs/$1.png"
}

start_app() {
    (cd "$scratch" && DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
        XDG_RUNTIME_DIR="$scratch/runtime" exec "$app" >"$scratch/app.log" 2>&1) &
    pids+=($!)
    window=""
    for _ in $(seq 100); do
        window="$(DISPLAY="$display" xdotool search --name 'MX-R77C' 2>/dev/null | head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { cat "$scratch/app.log" >&2; echo "no main window appeared" >&2; exit 1; }
}

prefix=""
if [ "${SHOT_LANG:-ja}" = en ]; then
    # The language is a setting read at start: a whole set of settings with
    # the defaults for this screen, and English.
    mkdir -p "$scratch/config/VARTEK INCORPORATED"
    cat >"$scratch/config/VARTEK INCORPORATED/MX-R77C.conf" <<'EOF_SETTINGS'
[Global]
BBT=753951
ComPort=1
ComSpeedHigh=1
Current%20Directory=

[Recent%20File%20List]
Recent0=

[View%20Option]
FontSize%20Percentage=100
Toolbar%20Visible=1
Language=1

[Window%20Position]
Left=112
Top=30
Width=800
Height=600
SplitterV=200

[Setup]
Increment%20Id=0
FreqEditable=0
ModelType=0
EOF_SETTINGS
    prefix="en-"
fi

# One start: the top page first, then each tree node in turn, clicked where
# the tree draws it (an opened sheet takes the keyboard focus, so the arrow
# keys would move in the sheet).
start_app
sleep "${SHOT_DELAY:-2}"
picture "${prefix}main-window"
row=93
for name in sheet-base-settings sheet-individual-list sheet-group-list; do
    DISPLAY="$display" xdotool mousemove --window "$window" 90 "$row" click 1
    sleep 1
    picture "$prefix$name"
    row=$((row + 18))
done
