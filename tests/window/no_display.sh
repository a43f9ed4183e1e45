#!/bin/bash
# Without a reachable display the program says so in one line on stderr and
# exits with status 1: no abort, no core dump. Its command line, Qt's options
# among it, is read before any display is asked for.
# Usage: no_display.sh QUORVEL
set -u
prog=$(realpath "$1")
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
# an unknown option is a usage error. Qt's options and their values are
# neither unknown nor files.
for row in "0 用法 --help" "0 quorvel --version" "64 未知选项 --bogus" "0 用法 -reverse -style fusion --help" \
    "1 无法打开窗口 -geometry 200x100 file.txt" "64 未知选项 -bogus -- -name" "64 只能打开一个文件 a.txt b.txt"; do
    set -- $row
    want=$1 says=$2
    shift 2
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" "$@" </dev/null 2>&1)
    rc=$?
    [ "$rc" -eq "$want" ] && [[ $out == *"$says"* ]] || { echo "FAIL: quorvel $*: exit $rc, $out"; failed=1; }
done
# The whole help, as a user reads it.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prog" --help)" = "$(cat "$(dirname "$0")/help.txt")" ] ||
    { echo "FAIL: quorvel --help is not help.txt"; failed=1; }
# Qt's -platform reaches Qt, and after -- a name is a file even when it is one
# of Qt's options: loaded, its expression goes into the history.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
printf '6*7\r\n' >"$home/-reverse"
(cd "$home" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_STATE_HOME="$home" \
    timeout 20 "$prog" -platform offscreen -- -reverse </dev/null >/dev/null 2>&1) &
for _ in $(seq 100); do grep -qF '"6*7"' "$home/quorvel/history.json" 2>/dev/null && break; sleep 0.1; done
kill $! 2>/dev/null
wait
grep -qF '"6*7"' "$home/quorvel/history.json" 2>/dev/null ||
    { echo "FAIL: quorvel -platform offscreen -- -reverse did not load the file -reverse"; failed=1; }
exit "$failed"
