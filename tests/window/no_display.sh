#!/bin/bash
# Without a reachable display the program says so in one line on stderr and
# exits with status 1: no abort, no core dump.
# Usage: no_display.sh QUORVEL
set -u
prog=$1
dead=99  # a display number nobody serves
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done
failed=0
for settings in "" "DISPLAY=:$dead" QT_QPA_PLATFORM=xcb QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=quorvel-none; do
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $settings timeout 20 "$prog" </dev/null 2>&1 >/dev/null)
    rc=$?
    if [ "$rc" -ne 1 ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ] || [[ $err != *"no display"* ]]; then
        echo "FAIL with '$settings': exit $rc, stderr: $err"
        failed=1
    fi
done
# The command line needs no display: --help and --version print and exit 0,
# an unknown option is a usage error.
for args in "--help 0 用法" "--version 0 quorvel" "--bogus 64 未知选项"; do
    set -- $args
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prog" "$1" </dev/null 2>&1)
    rc=$?
    [ "$rc" -eq "$2" ] && [[ $out == *"$3"* ]] || { echo "FAIL: quorvel $1: exit $rc, $out"; failed=1; }
done
exit "$failed"
