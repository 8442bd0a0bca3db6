#!/usr/bin/env bash
# Builds everything and runs every test. With --sanitize, the same suite in a
# separate build with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-sanitize
    flags=(-DCMAKE_BUILD_TYPE=Debug -DMX_SANITIZE=ON)
fi

scripts/deps.sh
cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" --parallel
export QT_QPA_PLATFORM=offscreen
# Tests never see the user's settings, runtime folder or home: a private set
# for this run, removed afterwards.
# Kept when a test fails, for the screenshots and logs it left.
private=$(mktemp -d)
trap 'if [ $? -eq 0 ]; then rm -rf "$private"; else echo "test files kept in $private"; fi' EXIT
mkdir -p "$private/home" "$private/config" "$private/runtime" "$private/tmp"
chmod 700 "$private/runtime"
export HOME="$private/home" XDG_CONFIG_HOME="$private/config"
export XDG_RUNTIME_DIR="$private/runtime" TMPDIR="$private/tmp"
# Tests write into temporary folders only, never into the source tree.
tree_state() { git status --porcelain --untracked-files=all 2>/dev/null || true; }
before=$(tree_state)
ctest --test-dir "$build" --output-on-failure --parallel 2
after=$(tree_state)
if [ "$before" != "$after" ]; then
    echo "the tests changed the source tree:"
    diff <(echo "$before") <(echo "$after") || true
    exit 1
fi
