#!/bin/sh
# Installs the Debian packages Tarvel needs to build, test and run. Safe to run again: it
# asks apt only for what is missing and never prompts.
set -eu

# locales: the locale sources from which the tests compile a decimal-comma locale (de_DE).
# clang, libclang-rt-14-dev: the libFuzzer build of the fuzz targets.
# lintian: the package test. util-linux: setpriv, with which the tests run as root start the
# write-protection checks as nobody.
# openbox: the window manager under which a window test stacks boxes on Xvfb.
packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev \
libgl-dev xvfb xauth fonts-dejavu-core locales desktop-file-utils dpkg-dev \
clang libclang-rt-14-dev lintian util-linux openbox"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "Installing:$missing"
# A fresh machine has no package lists yet; a stale one may name versions that are gone.
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends $missing
