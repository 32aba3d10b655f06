#!/bin/sh
# Installs the build into a temporary prefix and checks that Tarvel lands like a desktop
# program: the three programs (the command-line tool runs without a display), a valid desktop
# entry and its icon.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tarvel bin/zelvar-sim bin/tarvel-cli share/applications/tarvel.desktop \
         share/icons/hicolor/scalable/apps/tarvel.svg; do
    [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
for f in tarvel tarvel-cli; do
    [ -x "$prefix/bin/$f" ] || { echo "$f is not executable"; exit 1; }
done
# The command-line tool runs where no display is.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/tarvel-cli" --version >/dev/null
desktop-file-validate "$prefix/share/applications/tarvel.desktop"
grep -qx 'Icon=tarvel' "$prefix/share/applications/tarvel.desktop"
echo "installed and valid"
