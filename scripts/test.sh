#!/bin/sh
# Installs what is missing, configures, builds and runs the whole test suite.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=${TARVEL_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR=ON
cmake --build "$build" --parallel
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2 --timeout 300
