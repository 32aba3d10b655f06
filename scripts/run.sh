#!/bin/sh
# Installs what is missing, builds tarvel and zelvar-sim (nothing else), and runs Tarvel
# against zelvar-sim playing two Zelvar units behind a Prendel controller, so the whole
# program can be seen working without hardware.
#
# With a display ($DISPLAY or $WAYLAND_DISPLAY) the window opens for you: answer Yes to the
# start-up question and Tarvel finds and reads the simulated units. Without one (or with
# TARVEL_HEADLESS=1) Tarvel runs under Xvfb, answers every question Yes, saves a screenshot of
# its window once the units are read, prints where, and ends. TARVEL_SCREENSHOT names that
# file (default: tarvel-screenshot.png in the build directory); TARVEL_SCREENSHOT_DIR saves
# every page and window there instead (scripts/screenshots.sh).
#
# The build is the test command's main build (scripts/configure.sh, in build/ unless
# TARVEL_BUILD_DIR names another), so the tests run afterwards build only themselves. Tarvel
# keeps its Tarvel.ini in the build directory, where it runs. The simulator ends with the
# script.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build=${TARVEL_BUILD_DIR:-build}
./scripts/configure.sh "$build"
cmake --build "$build" --parallel --target tarvel zelvar-sim
build=$(cd "$build" && pwd)

absolute() {
    case "$1" in
    /*) echo "$1" ;;
    *) echo "$(pwd)/$1" ;;
    esac
}

tmp=$(mktemp -d)
sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

line="$tmp/zelvar-line"
"$build/sim/zelvar-sim" --mode controller --units 2 --link "$line" >"$tmp/sim.out" 2>&1 &
sim_pid=$!
tries=0
while [ ! -e "$line" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 50 ] || ! kill -0 "$sim_pid" 2>/dev/null; then
        echo "zelvar-sim did not start:" >&2
        cat "$tmp/sim.out" >&2
        exit 1
    fi
    sleep 0.1
done
echo "zelvar-sim plays two units behind a controller on $line"
# COM 1 is the simulator's line.
export TARVEL_PORTS="$line"

if [ -z "${TARVEL_HEADLESS:-}" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    cd "$build"
    ./src/app/tarvel
else
    export TARVEL_AUTO_ANSWER=yes
    if [ -n "${TARVEL_SCREENSHOT_DIR:-}" ]; then
        TARVEL_SCREENSHOT_DIR=$(absolute "$TARVEL_SCREENSHOT_DIR")
        export TARVEL_SCREENSHOT_DIR
    else
        TARVEL_SCREENSHOT=$(absolute "${TARVEL_SCREENSHOT:-$build/tarvel-screenshot.png}")
        export TARVEL_SCREENSHOT
    fi
    cd "$build"
    echo "No display: running Tarvel under Xvfb, every question answered Yes."
    xvfb-run -a -s "-screen 0 1280x1024x24" ./src/app/tarvel
fi
