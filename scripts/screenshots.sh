#!/bin/sh
# Saves docs/screenshots/*.png for the README: every page of the main window after the
# start-up search and read against zelvar-sim, and the progress, connection help and about
# windows. Always under Xvfb, so the pictures do not depend on the desktop.
set -eu
cd "$(dirname "$0")/.."
TARVEL_HEADLESS=1 TARVEL_SCREENSHOT_DIR="$(pwd)/docs/screenshots" exec ./scripts/run.sh
