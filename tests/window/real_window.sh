#!/bin/bash
# The real program under a virtual X server: typed into as a person would,
# its title read as the window manager sees it, a value entered and "计算"
# clicked, and a screenshot kept.
# Usage: real_window.sh QUORVEL OUTDIR
set -u
prog=$1
out=$2
for tool in Xvfb xdotool xprop import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
app_pid=
cleanup_more() { [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; }
. "$(dirname "$0")/xvfb.sh"
fail() { echo "FAIL: $*"; sed 's/^/    quorvel: /' "$tmp/app.log"; exit 1; }

"$prog" </dev/null >"$tmp/app.log" 2>&1 &
app_pid=$!
wid=$(timeout 15 xdotool search --sync --name '^Quorvel$' | head -n1)
[ -n "$wid" ] || fail "no window titled Quorvel"
title() { xprop -id "$wid" _NET_WM_NAME; }
# The window updates after each keystroke, so the title is waited for.
await_title() {
    for _ in $(seq 50); do [ "$(title)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ] && return 0; sleep 0.1; done
    fail "$(title), expected \"$1\""
}

xdotool windowfocus --sync "$wid" && xdotool type --delay 40 '2*(x+1' || fail "typing into Text1"
await_title "错误:发现缺少)"
xdotool type --delay 40 ')' || fail "typing into Text1"
# An accepted expression leaves the title blank, not the program's name.
await_title " "
# The value row of x (List3), the value box, then "计算"; "a" beeps and is dropped.
xdotool mousemove --window "$wid" 70 96 click 1 sleep 0.2 mousemove --window "$wid" 128 97 click 1 sleep 0.2 \
    key End BackSpace type --delay 40 'a5' || fail "entering the value"
xdotool mousemove --window "$wid" 128 124 click 1 sleep 0.5 || fail "clicking 计算"
kill -0 "$app_pid" 2>/dev/null || fail "quorvel ended"

mkdir -p "$out"
import -window "$wid" "$out/real_window.png" || fail "screenshot"
read -r size colours < <(convert "$out/real_window.png" -format '%wx%h %k' info:)
echo "screenshot $out/real_window.png: $size, $colours colours"
[ "$colours" -gt 16 ] || fail "the screenshot looks blank"
[ "$size" = "440x248" ] || fail "the window is $size, not 440x248"
