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
exit "$failed"
