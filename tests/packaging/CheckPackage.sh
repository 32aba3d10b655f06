#!/bin/sh
# Builds the Debian package from the build and checks what a user gets: stripped programs (no
# debug information), the copyright file and changelog in /usr/share/doc/tarvel, and a package
# that lintian finds no error in. Prints the sizes and lintian's findings.
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/tarvel_*.deb)
dpkg-deb -x "$deb" "$out/root"
for f in usr/bin/tarvel usr/bin/zelvar-sim usr/bin/tarvel-cli usr/share/doc/tarvel/copyright \
         usr/share/doc/tarvel/changelog.gz usr/share/applications/tarvel.desktop; do
    [ -e "$out/root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done
for f in usr/bin/tarvel usr/bin/zelvar-sim usr/bin/tarvel-cli; do
    if objdump -h "$out/root/$f" | grep -q '\.debug_\|\.symtab'; then
        echo "not stripped: $f"
        exit 1
    fi
done
gzip -t "$out/root/usr/share/doc/tarvel/changelog.gz"
echo "tarvel: $(stat -c %s "$out/root/usr/bin/tarvel") bytes, $(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "lintian:"
lintian --fail-on error "$deb"
echo "packaged, stripped, documented, no lintian error"
