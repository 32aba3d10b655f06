#!/bin/sh
# Installs what is missing, builds, and (once the main window exists) starts Tarvel against
# the simulator.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=${TARVEL_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel
if [ ! -x "$build/src/app/tarvel" ]; then
    echo "Built. The Tarvel window is not part of this build yet, so there is nothing to start."
    exit 0
fi
