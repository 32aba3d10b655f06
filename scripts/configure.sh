#!/bin/sh
# Configures the main build in the folder given (default: build): optimised with debug
# information (RelWithDebInfo), warnings as errors. The run command and the test command's
# first stage both use it, so what one has built the other does not build again.
set -eu
cd "$(dirname "$0")/.."
exec cmake -S . -B "${1:-build}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR=ON
