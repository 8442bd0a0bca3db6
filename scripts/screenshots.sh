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

# One picture per start: the arguments, then the picture's name.
shoot() {
    local name="$1"
    shift
    (cd "$scratch" && DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
        XDG_RUNTIME_DIR="$scratch/runtime" exec "$app" "$@" >"$scratch/$name.log" 2>&1) &
    local pid=$!
    sleep "${SHOT_DELAY:-4}"
    if ! kill -0 "$pid" 2>/dev/null; then
        cat "$scratch/$name.log" >&2
        echo "the application ended before its picture was taken" >&2
        exit 1
    fi
    xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$root/docs/$name.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "docs/$name.png"
}

shoot main-window
