#!/bin/bash
# Without a reachable display the program must say so in one line on stderr
# and exit with status 1 — no abort, no core dump.
# Usage: no_display.sh QUORVEL
set -u
prog=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A display number nobody serves.
dead=99
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done

failed=0
check() {
    local name=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$prog" </dev/null >/dev/null 2>"$tmp/err"
    local rc=$? lines
    lines=$(wc -l <"$tmp/err")
    if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q 'no display' "$tmp/err"; then
        echo "FAIL $name: exit $rc, $lines line(s) on stderr:"
        sed 's/^/    /' "$tmp/err"
        failed=$((failed + 1))
    else
        echo "ok   $name: $(cat "$tmp/err")"
    fi
}

check "no display variable"
check "display not served" DISPLAY=":$dead"
check "xcb asked for, no display" QT_QPA_PLATFORM=xcb
check "wayland asked for, no compositor" QT_QPA_PLATFORM=wayland
check "only a dead wayland name" WAYLAND_DISPLAY=quorvel-no-such-compositor

[ "$failed" -eq 0 ]
