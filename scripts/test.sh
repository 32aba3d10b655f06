#!/bin/sh
# Installs what is missing, then builds and runs the whole test suite three times over:
#   main  - the optimised build with debug information and warnings as errors
#           (scripts/configure.sh; unit, window, end-to-end tests, benches built)
#   asan  - the same suite under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer
#   fuzz  - the libFuzzer targets built with clang, each run for a bounded while
# TARVEL_TEST_STAGES picks stages ("main asan fuzz" by default); TARVEL_BUILD_DIR names the
# main build directory (build); the others are <dir>-asan and <dir>-fuzz.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
./scripts/install-deps.sh
build=${TARVEL_BUILD_DIR:-build}
stages=${TARVEL_TEST_STAGES:-main asan fuzz}
export QT_QPA_PLATFORM=offscreen

stage() { echo "=== $1 ($(date +%T))"; }

for s in $stages; do
    case $s in
    main)
        stage "main build and tests"
        ./scripts/configure.sh "$build"
        cmake --build "$build" --parallel
        # Most tests wait on the simulated line rather than compute: four at a time on two cores.
        (cd "$build" && ctest --output-on-failure --parallel 4 --timeout 300)
        ;;
    asan)
        stage "sanitizer build and tests"
        # Sanitized code runs slower; the optimiser keeps the suite's waits realistic. Line
        # tables are all a report needs and build in half the time of full debug information.
        cmake -S . -B "$build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
            -DTARVEL_SANITIZE=ON -DTARVEL_BUILD_BENCH=OFF
        cmake --build "$build-asan" --parallel
        # intercept_strndup=0: libxkbcommon-x11 (the window tests under a window manager) hands
        # strndup buffers without an end, which the strict string checks report; none of our
        # code calls strndup.
        (cd "$build-asan" &&
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:intercept_strndup=0 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            LSAN_OPTIONS=suppressions="$root/tests/sanitizers/lsan.supp":print_suppressions=0 \
            ctest --output-on-failure --parallel 4 --timeout 600)
        ;;
    fuzz)
        stage "fuzz targets, bounded runs"
        CC=clang CXX=clang++ cmake -S . -B "$build-fuzz" -G Ninja \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_FUZZ=ON
        cmake --build "$build-fuzz" --parallel
        (cd "$build-fuzz" && ctest --output-on-failure --parallel 2 --timeout 120)
        ;;
    *)
        echo "unknown test stage: $s" >&2
        exit 2
        ;;
    esac
done
stage "all stages passed"
