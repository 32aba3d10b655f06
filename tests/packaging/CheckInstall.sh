#!/bin/sh
# Installs the build into a temporary prefix and checks that Tarvel lands like a desktop
# program: both programs, a valid desktop entry and its icon.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tarvel bin/zelvar-sim share/applications/tarvel.desktop \
         share/icons/hicolor/scalable/apps/tarvel.svg; do
    [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
[ -x "$prefix/bin/tarvel" ] || { echo "tarvel is not executable"; exit 1; }
desktop-file-validate "$prefix/share/applications/tarvel.desktop"
grep -qx 'Icon=tarvel' "$prefix/share/applications/tarvel.desktop"
echo "installed and valid"
