#!/usr/bin/env bash
# Builds the programs and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel
if [ -x build/bin/mxr77c ]; then
    exec build/bin/mxr77c "$@"
fi
# Until the application window exists, the command-line tool stands in.
exec build/bin/mxr77c-cli --help
