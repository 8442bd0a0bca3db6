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
ctest --test-dir "$build" --output-on-failure --parallel 2
