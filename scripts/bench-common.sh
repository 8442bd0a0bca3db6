# What the bench scripts share: a private home, settings, runtime and
# temporary folder in one work folder, every started process ended on exit
# (last started first), waiting on conditions, and a virtual display with a
# window manager. Sourced with `script` set to the script's name.

work=$(mktemp -d)
pids=()
stop() {  # pid: ends one process this script started
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
    if [ -n "${KEEP:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
mkdir -p "$work/home" "$work/config" "$work/runtime" "$work/tmp"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    TMPDIR="$work/tmp" LANG=C.UTF-8

# Waits until a command succeeds, polling every tenth of a second, or as
# often as POLL says.
wait_until() {  # seconds command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep "${POLL:-0.1}"
    done
}

# Xvfb on a free display, and a window manager that hands the keyboard to
# new windows as on a desktop.
start_display() {
    local tool
    for tool in Xvfb xdotool xprop xwininfo; do
        command -v "$tool" >/dev/null || { echo "$script: $tool is missing; run scripts/deps.sh" >&2; exit 1; }
    done
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    wait_until 15 grep -qs . "$work/display" || { echo "$script: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$work/display")"
    if command -v openbox >/dev/null; then
        openbox --sm-disable >"$work/openbox.log" 2>&1 &
        pids+=($!)
        wait_until 15 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' ||
            echo "$script: the window manager did not start; going on without" >&2
    fi
}

# A window the server shows now: the window manager may take a new window
# down and up again while it frames it.
viewable() {  # window
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# A window manager that is still setting itself up may drop the request of
# the first window to be shown, which then never is: after a moment it is
# mapped by hand.
ensure_viewable() {  # window
    wait_until 3 viewable "$1" || xdotool windowmap "$1" 2>/dev/null || true
    wait_until 10 viewable "$1"
}
