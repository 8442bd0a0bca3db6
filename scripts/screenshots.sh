#!/usr/bin/env bash
# Starts the application on a virtual X display and saves PNG pictures of
# its main window into docs/. Uses a scratch settings and runtime folder, so
# the user's own settings are neither read nor changed.
#   scripts/screenshots.sh [BUILD_DIR]
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

# One start: the top page first, then each tree node in turn, clicked where
# the tree draws it (an opened sheet takes the keyboard focus, so the arrow
# keys would move in the sheet).
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
sleep "${SHOT_DELAY:-2}"
picture main-window
row=93
for name in sheet-base-settings sheet-individual-list sheet-group-list; do
    DISPLAY="$display" xdotool mousemove --window "$window" 90 "$row" click 1
    sleep 1
    picture "$name"
    row=$((row + 18))
done
