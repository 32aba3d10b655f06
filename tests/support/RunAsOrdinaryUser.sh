#!/bin/sh
# Runs a test program as an ordinary user (nobody), for the checks that root, who may write
# any file, would pass for the wrong reason. Run by an ordinary user this skips (77): the
# program's own run already is that user's.
# Usage: RunAsOrdinaryUser.sh PROGRAM [ARGUMENTS...]
set -eu
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    echo "not root: the program's own run covers an ordinary user"
    exit 77
fi
# The build folder may be closed to nobody: run a copy from a folder of its own.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$program" "$dir/program"
mkdir "$dir/home"
chown nobody "$dir/home"
chmod 755 "$dir" "$dir/program"
cd "$dir"
status=0
env HOME="$dir/home" TMPDIR="$dir/home" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups ./program "$@" || status=$?
exit "$status"
